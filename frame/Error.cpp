#include <ZarvLinesParm/Object.h>
#include <ZarvLinesParm/Types.h>

namespace ZarvLinesParm {

std::string Error::standardText(int number)
{
    switch (number) {
    case 5: return "Invalid procedure call or argument";
    case 6: return "Overflow";
    case 7: return "Out of memory";
    case 9: return "Subscript out of range";
    case 13: return "Type mismatch";
    case 51: return "Internal error";
    case 68: return "Device unavailable";
    case 75: return "Path/File access error";
    case 91: return "Object variable or With block variable not set";
    case 380: return "Invalid property value";
    case 400: return "Form already displayed; can't show modally";
    case 429: return "Can't create object";
    case 438: return "Object doesn't support this property or method";
    case 450: return "Wrong number of arguments or invalid property assignment";
    default: return {};
    }
}

Error::Error(int number) : Error(number, std::string()) {}

Error::Error(int number, const std::string& detail)
    : std::runtime_error(standardText(number)), number_(number), detail_(detail)
{
}

Object::~Object() = default;

} // namespace ZarvLinesParm
