// Late binding on arbitrary calls: every class the library publishes (found through ProgIds()
// and Describe()), member names that exist, differ in letter case or are made up, every kind of
// call, and any number of arguments of any variant alternative with any value. The only
// acceptable failure is a ZarvLinesParm::Error; anything else escaping, a crash or a sanitizer
// report is a fault. A Start that gets as far as showing its dialog is closed from the title
// bar as soon as the dialog is modal.

#include <ZarvLinesParm/ZarvLinesParm.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using namespace ZarvLinesParm;

namespace {

struct Library {
    std::vector<std::string> progIds;
    std::vector<std::vector<MemberInfo>> members;
};

const Library& library()
{
    static const Library lib = [] {
        Library l;
        l.progIds = ProgIds();
        for (const std::string& id : l.progIds)
            l.members.push_back(Describe(id));
        return l;
    }();
    return lib;
}

std::string memberName(FuzzedDataProvider& in, const std::vector<MemberInfo>& members)
{
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0: return in.ConsumeRandomLengthString(24);
    case 1: { // a real name in a random letter case
        std::string name = members[in.ConsumeIntegralInRange<std::size_t>(0, members.size() - 1)].name;
        for (char& c : name)
            if (in.ConsumeBool())
                c = static_cast<char>(c ^ 0x20);
        return name;
    }
    default: return members[in.ConsumeIntegralInRange<std::size_t>(0, members.size() - 1)].name;
    }
}

Variant argument(FuzzedDataProvider& in)
{
    switch (in.ConsumeIntegralInRange(0, 7)) {
    case 0: return std::monostate{};
    case 1: return in.ConsumeIntegral<std::int16_t>();
    case 2: return in.ConsumeIntegral<std::int32_t>();
    case 3: return in.ConsumeFloatingPoint<float>();
    case 4: return in.ConsumeFloatingPoint<double>();
    case 5: return in.ConsumeRandomLengthString(16);
    case 6: return static_cast<std::int16_t>(in.ConsumeIntegralInRange(-2, 8)); // near the index ranges
    default: return static_cast<float>(in.ConsumeIntegralInRange(-3, 3)) / 2; // halves: rounding
    }
}

void closeTheDialogOnceShown()
{
    QTimer::singleShot(0, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    new QApplication(*argc, *argv); // lives as long as the process, as a host's does
    library();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const Library& lib = library();
    const std::size_t which = in.ConsumeIntegralInRange<std::size_t>(0, lib.progIds.size() - 1);

    std::unique_ptr<Object> object;
    try {
        // Now and then a name of the wrong case, or no class at all.
        object = CreateObject(in.ConsumeBool() ? lib.progIds[which] : in.ConsumeRandomLengthString(40));
    } catch (const Error&) {
        object = CreateObject(lib.progIds[which]);
    }

    for (int call = in.ConsumeIntegralInRange(1, 6); call > 0 && in.remaining_bytes() > 0; --call) {
        const std::string member = memberName(in, lib.members[which]);
        const auto kind = static_cast<Invoke>(in.ConsumeIntegralInRange(0, 2));
        std::vector<Variant> args;
        for (int n = in.ConsumeIntegralInRange(0, 3); n > 0; --n)
            args.push_back(argument(in));
        closeTheDialogOnceShown();
        try {
            object->invoke(member, kind, args);
        } catch (const Error& e) {
            if (Error::standardText(e.number()).empty())
                std::abort(); // a number the library never raises
        }
        QCoreApplication::processEvents(); // a closer that found no dialog goes now
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return 0;
}
