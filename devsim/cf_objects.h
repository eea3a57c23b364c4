// The object model of the simulated CoreFoundation library: reference-counted
// strings, data, numbers, booleans, arrays, dictionaries and URLs, plus the
// XML property-list rendering. Portable C++; the DLL exports are a thin layer
// over it.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace devsim::cf {

// Type numbers as CoreFoundation reports them.
enum TypeId : std::uint64_t {
    kStringType = 7,
    kDictionaryType = 18,
    kArrayType = 19,
    kDataType = 20,
    kBooleanType = 21,
    kNumberType = 22,
    kURLType = 29,
    kReadStreamType = 38,
    kWriteStreamType = 39,
};

// CFNumber types (1-4 signed integers, 5/6 floats, 17 a 128-bit integer used
// for unsigned 64-bit values).
enum NumberType : std::int64_t {
    kSInt8 = 1,
    kSInt16 = 2,
    kSInt32 = 3,
    kSInt64 = 4,
    kFloat32 = 5,
    kFloat64 = 6,
    kChar = 7,
    kShort = 8,
    kInt = 9,
    kLong = 10,
    kLongLong = 11,
    kFloat = 12,
    kDouble = 13,
    kCFIndex = 14,
    kSInt128 = 17,
};

struct Object {
    explicit Object(std::uint64_t t) : type(t) {}
    virtual ~Object() = default;
    // Frees what the object holds once its last reference is gone; the header
    // itself is kept so a stale reference is reported instead of reused.
    virtual void DropPayload() {}

    std::uint32_t magic = 0;
    std::atomic<std::int64_t> refs{1};
    const std::uint64_t type;
    bool immortal = false;
};

struct String : Object {
    String() : Object(kStringType) {}
    void DropPayload() override { std::u16string().swap(chars); }
    std::u16string chars;
    bool directPointer = true;  // CFStringGetCharactersPtr gives the characters
};

struct Data : Object {
    Data() : Object(kDataType) {}
    void DropPayload() override { std::vector<std::uint8_t>().swap(bytes); }
    std::vector<std::uint8_t> bytes;
};

struct Number : Object {
    Number() : Object(kNumberType) {}
    std::int64_t numberType = kSInt64;
    bool isFloat = false;
    std::int64_t i = 0;  // signed value, or the low 64 bits of a kSInt128
    double d = 0;
};

struct Boolean : Object {
    explicit Boolean(bool v) : Object(kBooleanType), value(v) {}
    const bool value;
};

struct Array : Object {
    Array() : Object(kArrayType) {}
    void DropPayload() override;
    std::vector<Object*> items;  // each retained
};

struct Dictionary : Object {
    Dictionary() : Object(kDictionaryType) {}
    void DropPayload() override;
    std::vector<std::pair<Object*, Object*>> entries;  // keys and values retained
};

struct Url : Object {
    Url() : Object(kURLType) {}
    void DropPayload() override { std::u16string().swap(path); }
    std::u16string path;
};

struct Stream : Object {
    explicit Stream(std::uint64_t t) : Object(t) {}
    void DropPayload() override { std::u16string().swap(path); }
    std::u16string path;
    bool open = false;
};

// Registers a freshly made object (reference count 1) and returns it.
template <typename T>
T* Register(T* object);
Object* RegisterObject(Object* object);

// The live object behind a reference; aborts with a message on a reference
// that was never made here or was already released.
Object* Checked(const void* ref, const char* caller);
// As Checked, but of the given type; null when the type differs.
template <typename T>
T* As(const void* ref, std::uint64_t type, const char* caller) {
    Object* o = Checked(ref, caller);
    return o->type == type ? static_cast<T*>(o) : nullptr;
}

void Retain(Object* object);
void Release(Object* object);
std::int64_t RetainCount(const Object* object);
// Objects made and not yet released (immortal ones included).
std::int64_t LiveObjectCount();

String* MakeString(std::u16string chars, bool directPointer);
String* ConstantString(const std::string& ascii);  // interned, never freed
Data* MakeData(const std::uint8_t* bytes, std::size_t length);
Number* MakeInteger(std::int64_t value, std::int64_t numberType);
Number* MakeUnsigned64(std::uint64_t value);
Number* MakeFloat(double value, std::int64_t numberType);
Boolean* True();
Boolean* False();
Array* MakeArray(const std::vector<Object*>& items);
Dictionary* MakeDictionary(const std::vector<std::pair<Object*, Object*>>& entries);

std::int64_t NumberByteSize(const Number& n);
// Converts the number to the requested CFNumber type into `out`; false when
// the type is unknown or the value does not fit exactly.
bool NumberGetValue(const Number& n, std::int64_t numberType, void* out);
// Builds a number from a value of the given CFNumber type; null for unknown types.
Number* NumberFromValue(std::int64_t numberType, const void* value);

// The object rendered as an XML property list (UTF-8).
std::string RenderXmlPlist(const Object* root);

template <typename T>
T* Register(T* object) {
    RegisterObject(object);
    return object;
}

}  // namespace devsim::cf
