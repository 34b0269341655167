#pragma once

// JSON text as this program prints it: compact on one line, or indented by two spaces.

#include <ZarvLinesParm/Types.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zarvcli {

class JsonWriter {
public:
    enum class Layout { Compact, Indented };

    explicit JsonWriter(Layout layout) : layout_(layout) {}

    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    /// The name of the next member of the current object.
    JsonWriter& key(std::string_view name);

    JsonWriter& value(std::string_view text);
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(const std::string& text) { return value(std::string_view(text)); }
    JsonWriter& value(std::int64_t number);
    /// The shortest text that reads back as the same float: 0.382f is 0.382.
    JsonWriter& value(float number);
    JsonWriter& value(double number);
    /// A late-bound value: numbers as numbers, strings as strings, the empty variant as null.
    JsonWriter& value(const ZarvLinesParm::Variant& v);

    /// The text written so far; complete once every object and array is ended.
    const std::string& text() const { return out_; }

private:
    void beforeValue();
    void begin(char bracket);
    void end(char bracket);
    void newline();

    struct Level {
        bool empty = true;
    };
    Layout layout_;
    std::string out_;
    std::vector<Level> levels_;
    bool afterKey_ = false;
};

} // namespace zarvcli
