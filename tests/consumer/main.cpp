// A host that knows the library only through its public header and its CMake target.
#include <ZarvLinesParm/ZarvLinesParm.h>

#include <cstdio>

int main()
{
    try {
        auto circle = ZarvLinesParm::CreateObject("ZarvLinesParm.CircleElipseCls");
        circle->invoke("Fill", ZarvLinesParm::Invoke::Let, {std::int16_t{1}});
        ZarvLinesParm::CircleElipseCls typed;
        typed.Cor(2, 255);
        typed.Cor(3, 1); // error 9
    } catch (const ZarvLinesParm::Error& e) {
        std::printf("%s %s: error %d\n", ZarvLinesParm::Description.data(), ZarvLinesParm::FileVersion.data(),
                    e.number());
        return e.number() == 9 ? 0 : 1;
    }
    return 1;
}
