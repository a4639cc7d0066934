#pragma once
// Turns input bytes of any supported encoding into the UTF-16 text the parser
// works on, and UTF-16 back into the printer's target encoding.
#include "xml/xmldom.h"

#include <cstddef>

namespace xmldom {
namespace impl {

// Automatic detection and the native aliases resolved to a concrete encoding.
xml_encoding ResolveInputEncoding(const void* data, size_t bytes, xml_encoding encoding);
xml_encoding ResolveOutputEncoding(xml_encoding encoding);

// A new buffer (MemMalloc) holding the converted text and one NUL after it;
// false when memory runs out. Malformed input is skipped, never read past.
bool DecodeToUtf16(const void* data, size_t bytes, xml_encoding encoding, wchar_t*& text, size_t& length);

// Encodes count UTF-16 units into out (room for 4 bytes per unit); returns
// the number of bytes. Unpaired surrogates are dropped.
size_t EncodeFromUtf16(const wchar_t* text, size_t count, xml_encoding encoding, unsigned char* out);

} // namespace impl
} // namespace xmldom
