// c_Url: a URL split into scheme, user name, password, domain, port, path, query and fragment.
//
// Parsing never fails: parts the text lacks keep their defaults (the default scheme and port, path "/", the
// rest empty). The address part ends at the first "?" or "#"; a "?" after the "#" belongs to the fragment.
// Main thread only.
#pragma once

#include "runtime/object.h"

class c_Url : public Object {
 public:
  String m_defaultScheme;
  int m_defaultPort = 0;
  String m_url;
  String m_scheme;
  String m_username;
  String m_password;
  String m_domain;
  int m_port = 0;
  String m_path;      // starts with "/"
  String m_query;     // after "?", without it
  String m_fragment;  // after "#", without it

  c_Url* m_new(const String& url, const String& defaultScheme, int defaultPort);
  void p_Set2(const String& url);
  String p_FullPath();  // path, "?" query and "#" fragment (each only when not empty)
  String p_Domain() { return m_domain; }
  int p_Port() { return m_port; }

 private:
  void p_Reset(const String& url);
  int p_ParseUser(int start, int end);
  void p_ParseHostAndPath(int start, int end);
};

// The decimal number at the start of text[from .. to) the way atoi reads it (leading white space, an optional
// sign, digits; 0 if there are none), looking at no more than 63 characters. Values beyond the int range are
// clamped to it instead of overflowing.
int ko_url_DecimalPrefix(const String& text, int from, int to);
