// String representations, conversions and the Slice / Split / Join / Replace rules.
#include "runtime/string.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "runtime/array.h"

String::Rep String::nullRep = {1, 0};

// -------------------------------------------------------------------------------------------------------------
// Representations

String::Rep* String::alloc(int length) {
  if (length <= 0) return &nullRep;
  auto* rep = static_cast<Rep*>(std::malloc(8 + 2 * static_cast<std::size_t>(length)));
  if (!rep) {
    std::fputs("String: out of memory\n", stderr);
    std::abort();
  }
  rep->refs = 1;
  rep->length = length;
  return rep;
}

void String::release(Rep* rep) {
  if (rep != &nullRep && --rep->refs == 0) std::free(rep);
}

String& String::operator=(const String& other) {
  retain(other.rep_);
  release(rep_);
  rep_ = other.rep_;
  return *this;
}

String& String::operator=(String&& other) noexcept {
  if (this != &other) {
    release(rep_);
    rep_ = other.rep_;
    other.rep_ = &nullRep;
  }
  return *this;
}

// -------------------------------------------------------------------------------------------------------------
// Construction

String::String(const char16_t* data, int length) : rep_(alloc(length)) {
  if (length > 0) std::memcpy(rep_->data, data, 2 * static_cast<std::size_t>(length));
}

String::String(const char16_t* text) : rep_(&nullRep) {
  int length = 0;
  while (text[length]) ++length;
  *this = String(text, length);
}

String::String(const char* text) : rep_(alloc(static_cast<int>(std::strlen(text)))) {
  for (int i = 0; i < rep_->length; ++i) {
    rep_->data[i] = static_cast<char16_t>(static_cast<int16_t>(static_cast<signed char>(text[i])));
  }
}

String::String(int value) : rep_(&nullRep) {
  char text[16];
  std::snprintf(text, sizeof text, "%i", value);
  *this = String(text);
}

String::String(float value) : rep_(&nullRep) {
  char text[64];
  std::snprintf(text, sizeof text, "%.17lg", static_cast<double>(value));
  if (!std::strchr(text, '.') && !std::strchr(text, 'e')) std::strcat(text, ".0");
  *this = String(text);
}

String String::FromChar(int codeUnit) {
  char16_t unit = static_cast<char16_t>(codeUnit);
  return String(&unit, 1);
}

// -------------------------------------------------------------------------------------------------------------
// Comparison and concatenation

String String::operator+(const String& other) const {
  if (other.Length() == 0) return *this;
  if (Length() == 0) return other;
  String result(alloc(Length() + other.Length()));
  std::memcpy(result.rep_->data, Data(), 2 * static_cast<std::size_t>(Length()));
  std::memcpy(result.rep_->data + Length(), other.Data(), 2 * static_cast<std::size_t>(other.Length()));
  return result;
}

bool String::operator==(const String& other) const {
  if (rep_ == other.rep_) return true;
  if (Length() != other.Length()) return false;
  return std::memcmp(Data(), other.Data(), 2 * static_cast<std::size_t>(Length())) == 0;
}

int String::Compare(const String& other) const {
  int common = Length() < other.Length() ? Length() : other.Length();
  for (int i = 0; i < common; ++i) {
    if (rep_->data[i] != other.rep_->data[i]) return int{rep_->data[i]} - int{other.rep_->data[i]};
  }
  return Length() - other.Length();
}

// -------------------------------------------------------------------------------------------------------------
// Slice, Split, Join, Replace

String String::Slice(int from, int to) const {
  int n = Length();
  if (from < 0) {
    from += n;
    if (from < 0) from = 0;
  } else if (from > n) {
    from = n;
  }
  if (to < 0) {
    to += n;
  } else if (to > n) {
    to = n;
  }
  if (to <= from) return String();
  if (from == 0 && to == n) return *this;
  return String(Data() + from, to - from);
}

Array<String> String::Split(const String& separator) const {
  if (separator.Length() == 0) {
    Array<String> units(Length());
    for (int i = 0; i < Length(); ++i) units[i] = String(Data() + i, 1);
    return units;
  }
  int matches = 0;
  for (int i = Find(separator); i >= 0; i = Find(separator, i + separator.Length())) ++matches;
  if (matches == 0) return Array<String>(this, 1);
  Array<String> pieces(matches + 1);
  int start = 0;
  for (int k = 0; k < matches; ++k) {
    int at = Find(separator, start);
    pieces[k] = Slice(start, at);
    start = at + separator.Length();
  }
  pieces[matches] = Slice(start);
  return pieces;
}

String String::Join(const Array<String>& pieces) const {
  if (pieces.Length() == 0) return String();
  if (pieces.Length() == 1) return pieces[0];
  int length = Length() * (pieces.Length() - 1);
  for (int i = 0; i < pieces.Length(); ++i) length += pieces[i].Length();
  String result(alloc(length));
  char16_t* out = result.rep_->data;
  for (int i = 0; i < pieces.Length(); ++i) {
    if (i > 0) out = std::copy(Data(), Data() + Length(), out);
    out = std::copy(pieces[i].Data(), pieces[i].Data() + pieces[i].Length(), out);
  }
  return result;
}

String String::Replace(const String& find, const String& with) const {
  if (find.Length() == 0) return *this;  // an empty pattern would never advance
  int matches = 0;
  for (int i = Find(find); i >= 0; i = Find(find, i + find.Length())) ++matches;
  if (matches == 0) return *this;
  String result(alloc(Length() + matches * (with.Length() - find.Length())));
  char16_t* out = result.rep_->data;
  int start = 0;
  for (int i = Find(find); i >= 0; i = Find(find, start)) {
    out = std::copy(Data() + start, Data() + i, out);
    out = std::copy(with.Data(), with.Data() + with.Length(), out);
    start = i + find.Length();
  }
  std::copy(Data() + start, Data() + Length(), out);
  return result;
}

// -------------------------------------------------------------------------------------------------------------
// Searching and case

int String::Find(const String& text, int start) const {
  if (start < 0) start = 0;
  for (int i = start; i + text.Length() <= Length(); ++i) {
    if (std::memcmp(Data() + i, text.Data(), 2 * static_cast<std::size_t>(text.Length())) == 0) return i;
  }
  return -1;
}

int String::FindLast(const String& text) const {
  for (int i = Length() - text.Length(); i >= 0; --i) {
    if (std::memcmp(Data() + i, text.Data(), 2 * static_cast<std::size_t>(text.Length())) == 0) return i;
  }
  return -1;
}

bool String::StartsWith(const String& text) const {
  return text.Length() <= Length() &&
         std::memcmp(Data(), text.Data(), 2 * static_cast<std::size_t>(text.Length())) == 0;
}

bool String::EndsWith(const String& text) const {
  return text.Length() <= Length() && std::memcmp(Data() + Length() - text.Length(), text.Data(),
                                                  2 * static_cast<std::size_t>(text.Length())) == 0;
}

namespace {
template <class Map>
String map_units(const String& text, Map map) {
  int i = 0;
  while (i < text.Length() && map(text[i]) == text[i]) ++i;
  if (i == text.Length()) return text;
  std::vector<char16_t> units(text.Data(), text.Data() + text.Length());
  for (char16_t& unit : units) unit = map(unit);
  return String(units.data(), text.Length());
}
}  // namespace

String String::ToUpper() const {
  return map_units(*this, [](char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; });
}

String String::ToLower() const {
  return map_units(*this, [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; });
}

String String::Trim() const {
  int from = 0, to = Length();
  while (from < to && rep_->data[from] <= 32) ++from;
  while (to > from && rep_->data[to - 1] <= 32) --to;
  return Slice(from, to);
}

// Reads like atoi over the narrow form (each code unit cut to 8 bits): leading white space, a sign, then digits
// up to the first non-digit; nothing readable gives 0. A number beyond the int range gives the nearest end of
// it, where atoi's result would be undefined.
int String::ToInt(int from, int to) const {
  from = std::max(from, 0);
  to = std::min(to, Length());
  auto narrow = [this](int i) { return static_cast<char>((*this)[i] & 0xFF); };
  int i = from;
  while (i < to && std::isspace(static_cast<unsigned char>(narrow(i)))) ++i;
  bool negative = false;
  if (i < to && (narrow(i) == '+' || narrow(i) == '-')) negative = narrow(i++) == '-';
  long long magnitude = 0;
  for (; i < to && narrow(i) >= '0' && narrow(i) <= '9'; ++i) {
    magnitude = std::min(magnitude * 10 + (narrow(i) - '0'), 1LL + INT_MAX);  // never overflows the long long
  }
  long long value = negative ? -magnitude : magnitude;
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// -------------------------------------------------------------------------------------------------------------
// Narrow form

template <class C>
String::CString<C>::CString(const String& text) {
  block_ = static_cast<Block*>(std::malloc(sizeof(Block) + sizeof(C) * static_cast<std::size_t>(text.Length())));
  if (!block_) std::abort();
  block_->refs = 1;
  for (int i = 0; i < text.Length(); ++i) block_->chars[i] = static_cast<C>(text[i]);
  block_->chars[text.Length()] = 0;
}

template <class C>
String::CString<C>::~CString() {
  if (--block_->refs == 0) std::free(block_);
}

template class String::CString<char>;
