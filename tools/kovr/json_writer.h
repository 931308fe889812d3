// A small streaming JSON writer with two-space indentation, for the tool's
// --json outputs.
#ifndef KOVR_JSON_WRITER_H
#define KOVR_JSON_WRITER_H

#include <cstdint>
#include <ostream>
#include <string_view>
#include <vector>

namespace kovr {

class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}

    void BeginObject() { Open('{'); }
    void EndObject() { Close('}'); }
    void BeginArray() { Open('['); }
    void EndArray() { Close(']'); }
    // The name of the next member of the current object.
    void Key(std::string_view name);
    void String(std::string_view text);
    void Number(int64_t value);
    void Bool(bool value);

private:
    void Open(char bracket);
    void Close(char bracket);
    void BeforeValue();
    void Indent();
    void Quoted(std::string_view text);

    std::ostream& out_;
    std::vector<int> counts_;  // members written so far, per open level
    bool afterKey_ = false;
};

}  // namespace kovr

#endif
