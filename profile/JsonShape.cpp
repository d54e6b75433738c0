#include "profile/JsonShape.h"

#include "profile/JsonAccess.h"

namespace ravo::json {

bool IsTextLike(const Json::Value& value) {
    return value.isNull() || value.isString();
}

const Json::Value* Find(const Json::Value& object, const char* name) {
    if (!object.isObject())
        return nullptr;
    return object.find(name, name + std::char_traits<char>::length(name));
}

bool IsRecord(const Json::Value& value, Names numbers, Names texts) {
    if (value.isNull())
        return true;
    if (!value.isObject())
        return false;
    for (const char* name : numbers) {
        const Json::Value* member = Find(value, name);
        if (member && !IsNumberLike(*member))
            return false;
    }
    for (const char* name : texts) {
        const Json::Value* member = Find(value, name);
        if (member && !IsTextLike(*member))
            return false;
    }
    return true;
}

bool IsRecordList(const Json::Value& value, Names numbers, Names texts) {
    if (value.isNull())
        return true;
    if (!value.isArray())
        return false;
    for (const Json::Value& element : value) {
        if (!IsRecord(element, numbers, texts))
            return false;
    }
    return true;
}

bool IsRecordListList(const Json::Value& value, Names numbers, Names texts) {
    if (value.isNull())
        return true;
    if (!value.isArray())
        return false;
    for (const Json::Value& element : value) {
        if (!IsRecordList(element, numbers, texts))
            return false;
    }
    return true;
}

}  // namespace ravo::json
