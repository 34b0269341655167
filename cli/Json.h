#pragma once

// The program's JSON, in and out. Objects keep their members in the order they were written:
// the class's own order in what `show` prints, the file's order in what `--json-in` reads.

#include <ZarvLinesParm/Types.h>

#include <nlohmann/json.hpp>

#include <string>

namespace zarvcli {

using Json = nlohmann::ordered_json;

/// A late-bound value: numbers as numbers (a float as the shortest decimal that reads back as
/// the same float: 0.382f is 0.382), strings as strings, the empty variant as null.
Json toJson(const ZarvLinesParm::Variant& value);

/// The text of `json`, on one line or indented by two spaces. Bytes of a string that are not
/// UTF-8 come out as U+FFFD, so that the text is always JSON.
std::string jsonText(const Json& json, bool indented);

} // namespace zarvcli
