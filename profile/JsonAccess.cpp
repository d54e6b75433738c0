#include "profile/JsonAccess.h"

#include <cmath>

namespace ravo::json {

Json::Value* Member(Json::Value* object, const char* name) {
    if (!object)
        return nullptr;
    if (object->isNull())
        *object = Json::Value(Json::objectValue);
    if (!object->isObject())
        return nullptr;
    return &(*object)[name];
}

Json::Value* Element(Json::Value* array, int64_t index) {
    if (!array || index < 0 || index > kMaxCreatedIndex)
        return nullptr;
    if (array->isNull())
        *array = Json::Value(Json::arrayValue);
    if (!array->isArray())
        return nullptr;
    return &(*array)[static_cast<Json::ArrayIndex>(index)];
}

uint32_t ArraySize(const Json::Value* array) {
    if (!array || !array->isArray())
        return 0;
    return array->size();
}

namespace {
// 2^63 as a double: the first value outside int64_t.
constexpr double kInt64Limit = 9223372036854775808.0;
}  // namespace

bool IsNumberLike(const Json::Value& value) {
    switch (value.type()) {
        case Json::nullValue:
        case Json::booleanValue:
        case Json::intValue:
        case Json::uintValue:
            return true;
        case Json::realValue: {
            const double d = value.asDouble();
            return std::isfinite(d) && d > -kInt64Limit && d < kInt64Limit;
        }
        default:
            return false;
    }
}

int64_t ReadInteger(const Json::Value* value) {
    if (!value)
        return 0;
    switch (value->type()) {
        case Json::booleanValue:
            return value->asBool() ? 1 : 0;
        case Json::intValue:
            return value->asLargestInt();
        case Json::uintValue:
            return static_cast<int64_t>(value->asLargestUInt());
        case Json::realValue:
            return IsNumberLike(*value) ? static_cast<int64_t>(value->asDouble()) : 0;
        default:
            return 0;
    }
}

bool ReadFlag(const Json::Value* value) {
    if (!value)
        return false;
    switch (value->type()) {
        case Json::booleanValue:
            return value->asBool();
        case Json::intValue:
            return value->asLargestInt() != 0;
        case Json::uintValue:
            return value->asLargestUInt() != 0;
        case Json::realValue:
            return value->asDouble() != 0.0;
        default:
            return false;
    }
}

std::string ReadText(const Json::Value* value) {
    if (!value || !value->isString())
        return {};
    return value->asString();
}

void Assign(Json::Value* object, const char* name, const Json::Value& value) {
    if (Json::Value* member = Member(object, name))
        *member = value;
}

}  // namespace ravo::json
