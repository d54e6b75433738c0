#pragma once

#include <json/value.h>

#include <cstdint>
#include <string>

// Access to JSON members that never throws or asserts, whatever the file held. Creating access
// follows the profile format's rule: reading an absent member adds it as null, so the next save
// writes it. A value of an unexpected type is never changed; access through it yields nullptr,
// which every reader below takes as absent.
namespace ravo::json {

// The largest array position creating access will extend an array to.
inline constexpr int64_t kMaxCreatedIndex = 1023;

// object[name], adding the member as null when absent; a null object becomes an object first.
// nullptr when object is nullptr or of another type.
Json::Value* Member(Json::Value* object, const char* name);

// array[index], extending the array with nulls when needed; a null array becomes an array
// first. nullptr when array is nullptr, of another type, or the index is out of range.
Json::Value* Element(Json::Value* array, int64_t index);

// Number of elements of an array; 0 for anything else.
uint32_t ArraySize(const Json::Value* array);

// Whether a value can be read as an integer: null, boolean, or a number within 64 bits.
bool IsNumberLike(const Json::Value& value);

// The value as an integer (low bits kept by the caller's narrowing); 0 for nullptr, null and
// values that are not number-like.
int64_t ReadInteger(const Json::Value* value);

// The value as a flag: any non-zero number is true; false for nullptr, null and other types.
bool ReadFlag(const Json::Value* value);

// The value as UTF-8 text; empty for anything but a string.
std::string ReadText(const Json::Value* value);

// Shortcuts for member reads with creating access.
inline int64_t ReadIntegerMember(Json::Value* object, const char* name) {
    return ReadInteger(Member(object, name));
}
// Narrowed to a record field's width, low bits kept.
inline uint8_t ReadByteMember(Json::Value* object, const char* name) {
    return static_cast<uint8_t>(ReadIntegerMember(object, name));
}
inline uint16_t ReadHalfMember(Json::Value* object, const char* name) {
    return static_cast<uint16_t>(ReadIntegerMember(object, name));
}
inline bool ReadFlagMember(Json::Value* object, const char* name) {
    return ReadFlag(Member(object, name));
}

// Sets object[name] = value; does nothing when object is of another type.
void Assign(Json::Value* object, const char* name, const Json::Value& value);

}  // namespace ravo::json
