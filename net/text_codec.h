// The two byte encodings of data buffers and the HTTP client: "ascii" (one byte per code unit) and "utf8".
//
// Encoding never fails: "ascii" keeps the low 8 bits of each code unit; "utf8" writes each code unit on its
// own in one to three bytes (surrogates are not combined). Decoding "ascii" maps each byte to the code unit of
// the same value. Decoding "utf8" accepts one-, two- and three-byte sequences; if the range holds anything
// else (a bad lead or continuation byte, or a sequence cut off by the end of the range) the whole range is
// taken byte by byte instead, each byte becoming the code unit of the same value (0x00..0xFF).
// All functions read exactly the bytes they are given and nothing beyond.
#pragma once

#include <string>

#include "runtime/string.h"

enum class TextEncoding { Ascii, Utf8 };

// The encoding named `name` ("ascii" or "utf8", exact case); any other name is the fatal error
// "Invalid string encoding:" followed by the name.
TextEncoding ko_codec_Encoding(const String& name);

std::string ko_codec_Encode(const String& text, TextEncoding encoding);
String ko_codec_Decode(const unsigned char* bytes, int count, TextEncoding encoding);

// "utf8" for a byte stream that arrives in pieces: every whole sequence becomes its code unit and every other
// byte stands for itself (0x00..0xFF), so that pieces cut between sequences (see ko_codec_Utf8CutOffTail)
// decode to the same text as the stream in one piece. Valid input gives what ko_codec_Decode gives.
String ko_codec_DecodeUtf8Stream(const unsigned char* bytes, int count);

// How many bytes at the end of `bytes[0..count)` start a UTF-8 sequence that the range cuts off (0..3):
// what a reader of a byte stream should keep back until more bytes arrive.
int ko_codec_Utf8CutOffTail(const unsigned char* bytes, int count);
