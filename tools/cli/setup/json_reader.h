#pragma once
// A JSON reader for the settings files velmora-cli takes: the whole of JSON read into
// a tree that keeps an object's members in file order and where each value began, so
// a message can say where a file went wrong. Stricter than most readers in one way: a
// name given twice in one object is refused, because a settings file that sets a level
// twice is a slip, and taking either value silently would hide it.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct JsonMember;

struct JsonValue {
    enum class Kind { Null, Boolean, Number, String, Array, Object };

    Kind kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string text;                // a string, UTF-8
    std::vector<JsonValue> items;    // an array's values
    std::vector<JsonMember> members; // an object's members, in file order
    int line = 1;                    // where the value begins, both counted from 1;
    int column = 1;                  // columns count characters, not bytes
};

struct JsonMember {
    std::string name;
    JsonValue value;
};

struct JsonError {
    int line = 0;
    int column = 0;
    std::string message;
};

// One JSON value and nothing after it but white space; a UTF-8 byte order mark in
// front is skipped. Nothing, with `error` set, for text that is not JSON or not UTF-8.
std::optional<JsonValue> readJson(std::string_view text, JsonError& error);

} // namespace velmora
