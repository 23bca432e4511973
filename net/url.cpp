// URL parsing and the atoi-style number reading shared with the HTTP status line.
#include "net/url.h"

#include <algorithm>
#include <climits>

int ko_url_DecimalPrefix(const String& text, int from, int to) {
  to = std::min({to, text.Length(), from + 63});
  int i = from;
  while (i < to && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < to && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < to && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = std::min(value * 10 + (text[i] - '0'), 1LL + INT_MAX);  // stays small enough not to overflow
  }
  if (negative) value = -value;
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

c_Url* c_Url::m_new(const String& url, const String& defaultScheme, int defaultPort) {
  m_defaultScheme = defaultScheme;
  m_defaultPort = defaultPort;
  p_Set2(url);
  return this;
}

void c_Url::p_Reset(const String& url) {
  m_url = url;
  m_scheme = m_defaultScheme;
  m_username = m_password = m_domain = m_query = m_fragment = String();
  m_port = m_defaultPort;
  m_path = String("/");
}

void c_Url::p_Set2(const String& url) {
  p_Reset(url);
  int length = url.Length();
  int query = url.Find(String("?"));
  int fragment = url.Find(String("#"));
  if (query >= 0 && fragment >= 0 && fragment < query) query = -1;   // that "?" is part of the fragment
  int end = query >= 0 ? query : fragment >= 0 ? fragment : length;  // end of the address part

  int start = 0;
  int scheme = url.Find(String("://"));
  if (scheme >= 0 && scheme < end) {
    m_scheme = url.Slice(0, scheme);
    start = scheme + 3;
  }
  start = p_ParseUser(start, end);
  p_ParseHostAndPath(start, end);

  if (query >= 0) m_query = url.Slice(query + 1, fragment >= 0 ? fragment : length);
  if (fragment >= 0) m_fragment = url.Slice(fragment + 1, length);
}

// User name and password before an "@" in the address part; returns where the host starts.
int c_Url::p_ParseUser(int start, int end) {
  int at = m_url.Find(String("@"), start);
  if (at < 0 || at >= end) return start;
  int colon = m_url.Find(String(":"), start);
  if (colon >= 0 && colon < at) {
    m_username = m_url.Slice(start, colon);
    m_password = m_url.Slice(colon + 1, at);
  } else {
    m_username = m_url.Slice(start, at);
  }
  return at + 1;
}

void c_Url::p_ParseHostAndPath(int start, int end) {
  int colon = m_url.Find(String(":"), start);
  int slash = m_url.Find(String("/"), start);
  if (colon >= end) colon = -1;
  if (slash >= end) slash = -1;
  int hostEnd = end;
  if (colon >= 0 && (slash < 0 || colon < slash)) {
    hostEnd = colon;
    m_port = ko_url_DecimalPrefix(m_url, colon + 1, slash >= 0 ? slash : end);
  } else if (slash >= 0) {
    hostEnd = slash;
  }
  m_domain = m_url.Slice(start, hostEnd);
  if (slash >= 0) m_path = m_url.Slice(slash, end);
}

String c_Url::p_FullPath() {
  String path = m_path;
  if (m_query.Length() > 0) path = path + String("?") + m_query;
  if (m_fragment.Length() > 0) path = path + String("#") + m_fragment;
  return path;
}
