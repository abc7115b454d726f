#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// The engine plays the code-page-932 (Shift-JIS) bytes of a text. A file is
// remembered with the encoding it was read in, so that saving writes it back
// the same way.
enum class TextEncoding { Cp932, Utf8, Utf8Bom };

// How to read a file: detect, or force one encoding.
enum class EncodingChoice { Auto, Cp932, Utf8 };

// "auto", "cp932" or "utf-8" (also "utf8", "sjis", "shift_jis"), any case.
std::optional<EncodingChoice> parseEncodingChoice(std::string_view name);
std::string_view encodingName(TextEncoding encoding);  // "CP932", "UTF-8", "UTF-8 (BOM)"

// The two bytes CP932 gives a character that has no form of its own: the
// full-width question mark.
inline constexpr std::string_view kCp932Substitute = "\x81\x48";

bool isValidUtf8(std::string_view bytes);
bool startsWithUtf8Bom(std::string_view bytes);

// UTF-8 (with or without a BOM) when the bytes are valid UTF-8 and not pure
// ASCII, CP932 otherwise.
TextEncoding detectEncoding(std::string_view bytes);
// The encoding a file is read in under `choice`: detection for Auto; a forced
// UTF-8 keeps a BOM the bytes begin with.
TextEncoding chooseEncoding(std::string_view bytes, EncodingChoice choice);

// UTF-8 to CP932. A character with no CP932 form, and a byte that is not valid
// UTF-8, becomes kCp932Substitute. A BOM in the input is converted like any
// other character; strip it first.
std::string utf8ToCp932(std::string_view utf8);
// CP932 to UTF-8. A byte that starts no valid CP932 character becomes U+FFFD.
std::string cp932ToUtf8(std::string_view cp932);
// Whether the UTF-8 text converts to CP932 and back unchanged.
bool isCp932Representable(std::string_view utf8);

// The text of a file as UTF-8 (BOM removed) given the encoding it was read in.
std::string decodeToUtf8(std::string_view bytes, TextEncoding encoding);
// UTF-8 text as the bytes of a file in `encoding` (a BOM added for Utf8Bom).
std::string encodeFromUtf8(std::string_view utf8, TextEncoding encoding);

}  // namespace velmora
