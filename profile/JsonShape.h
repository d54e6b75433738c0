#pragma once

#include <json/value.h>

#include <initializer_list>

// Checks that a file's members have the JSON types the profile format gives them, so that a
// file of the wrong shape can be refused as a whole like an unreadable one.
namespace ravo::json {

using Names = std::initializer_list<const char*>;

// Null or a string.
bool IsTextLike(const Json::Value& value);

// Null, or an object whose listed members (when present) are number-like or text-like.
bool IsRecord(const Json::Value& value, Names numbers, Names texts = {});

// Null, or an array whose every element is a record as above.
bool IsRecordList(const Json::Value& value, Names numbers, Names texts = {});

// Null, or an array whose every element is a record list as above.
bool IsRecordListList(const Json::Value& value, Names numbers, Names texts = {});

// The member's value when the object holds it, else nullptr (no member is added).
const Json::Value* Find(const Json::Value& object, const char* name);

}  // namespace ravo::json
