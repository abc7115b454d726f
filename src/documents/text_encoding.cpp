#include "documents/text_encoding.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace velmora {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Length of the well-formed UTF-8 sequence at the start of `bytes`, or 0 when
// it starts with none (stray continuation byte, overlong form, surrogate,
// beyond U+10FFFF, or cut short).
std::size_t utf8SequenceLength(std::string_view bytes) {
    auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    unsigned char lead = at(0);
    if (lead < 0x80) return 1;
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF;  // range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (bytes.size() < length) return 0;
    if (at(1) < low || at(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (at(i) < 0x80 || at(i) > 0xBF) return 0;
    }
    return length;
}

// UTF-8 with every byte that starts no well-formed sequence replaced by U+FFFD.
std::string sanitizeUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    while (!bytes.empty()) {
        std::size_t length = utf8SequenceLength(bytes);
        if (length == 0) {
            text += kReplacementCharacter;
            length = 1;
        } else {
            text += bytes.substr(0, length);
        }
        bytes.remove_prefix(length);
    }
    return text;
}

// One per conversion and thread, kept: texts are converted line by line, and
// opening a converter costs more than converting a line. convert() starts
// from the initial state every time.
class IconvConverter {
public:
    IconvConverter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        if (handle_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
        }
    }
    ~IconvConverter() { iconv_close(handle_); }
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;

    // Converts `input` into `output`. At a sequence iconv cannot convert,
    // `onInvalid(rest, output)` appends a substitute and returns how many bytes
    // to skip, or 0 to give up; convert() then returns false.
    template <typename OnInvalid>
    bool convert(std::string_view input, std::string& output, OnInvalid onInvalid) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char buffer[4096];
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        while (inLeft > 0) {
            char* out = buffer;
            std::size_t outLeft = sizeof buffer;
            std::size_t result = iconv(handle_, &in, &inLeft, &out, &outLeft);
            int error = errno;
            output.append(buffer, static_cast<std::size_t>(out - buffer));
            if (result != static_cast<std::size_t>(-1) || error == E2BIG) continue;
            std::size_t skip = onInvalid(std::string_view(in, inLeft), output);
            if (skip == 0) return false;
            skip = std::min(skip, inLeft);
            in += skip;
            inLeft -= skip;
            iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        }
        return true;
    }

private:
    iconv_t handle_;
};

bool isAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::optional<std::string> strictUtf8ToCp932(std::string_view utf8) {
    std::string cp932;
    thread_local IconvConverter converter("CP932", "UTF-8");
    if (!converter.convert(utf8, cp932, [](std::string_view, std::string&) { return std::size_t{0}; })) {
        return std::nullopt;
    }
    return cp932;
}

}  // namespace

std::optional<EncodingChoice> parseEncodingChoice(std::string_view name) {
    std::string lower;
    for (char c : name) lower += lowerAscii(c);
    if (lower == "auto") return EncodingChoice::Auto;
    if (lower == "cp932" || lower == "sjis" || lower == "shift_jis" || lower == "shift-jis") {
        return EncodingChoice::Cp932;
    }
    if (lower == "utf-8" || lower == "utf8") return EncodingChoice::Utf8;
    return std::nullopt;
}

std::string_view encodingName(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Cp932:
            return "CP932";
        case TextEncoding::Utf8:
            return "UTF-8";
        case TextEncoding::Utf8Bom:
            return "UTF-8 (BOM)";
    }
    return "CP932";
}

bool isValidUtf8(std::string_view bytes) {
    while (!bytes.empty()) {
        std::size_t length = utf8SequenceLength(bytes);
        if (length == 0) return false;
        bytes.remove_prefix(length);
    }
    return true;
}

bool startsWithUtf8Bom(std::string_view bytes) { return bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom; }

TextEncoding detectEncoding(std::string_view bytes) {
    if (isAscii(bytes) || !isValidUtf8(bytes)) return TextEncoding::Cp932;
    return startsWithUtf8Bom(bytes) ? TextEncoding::Utf8Bom : TextEncoding::Utf8;
}

TextEncoding chooseEncoding(std::string_view bytes, EncodingChoice choice) {
    switch (choice) {
        case EncodingChoice::Auto:
            return detectEncoding(bytes);
        case EncodingChoice::Cp932:
            return TextEncoding::Cp932;
        case EncodingChoice::Utf8:
            return startsWithUtf8Bom(bytes) ? TextEncoding::Utf8Bom : TextEncoding::Utf8;
    }
    return TextEncoding::Cp932;
}

std::string utf8ToCp932(std::string_view utf8) {
    std::string cp932;
    cp932.reserve(utf8.size());
    thread_local IconvConverter converter("CP932", "UTF-8");
    converter.convert(utf8, cp932, [](std::string_view rest, std::string& out) {
        out += kCp932Substitute;
        std::size_t length = utf8SequenceLength(rest);
        return length == 0 ? std::size_t{1} : length;
    });
    return cp932;
}

std::string cp932ToUtf8(std::string_view cp932) {
    std::string utf8;
    utf8.reserve(cp932.size() * 3 / 2);
    thread_local IconvConverter converter("UTF-8", "CP932");
    converter.convert(cp932, utf8, [](std::string_view, std::string& out) {
        out += kReplacementCharacter;
        return std::size_t{1};
    });
    return utf8;
}

bool isCp932Representable(std::string_view utf8) {
    if (!isValidUtf8(utf8)) return false;
    std::optional<std::string> cp932 = strictUtf8ToCp932(utf8);
    return cp932 && cp932ToUtf8(*cp932) == utf8;
}

std::string decodeToUtf8(std::string_view bytes, TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Cp932:
            return cp932ToUtf8(bytes);
        case TextEncoding::Utf8Bom:
            if (startsWithUtf8Bom(bytes)) bytes.remove_prefix(kUtf8Bom.size());
            return sanitizeUtf8(bytes);
        case TextEncoding::Utf8:
            return sanitizeUtf8(bytes);
    }
    return cp932ToUtf8(bytes);
}

std::string encodeFromUtf8(std::string_view utf8, TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Cp932:
            return utf8ToCp932(utf8);
        case TextEncoding::Utf8Bom:
            return std::string(kUtf8Bom) + std::string(utf8);
        case TextEncoding::Utf8:
            return std::string(utf8);
    }
    return utf8ToCp932(utf8);
}

}  // namespace velmora
