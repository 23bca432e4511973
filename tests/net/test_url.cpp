// URL parsing: one labelled case per rule, and a full URL cut after each of its separators.
#include <gtest/gtest.h>

#include <string>

#include "net/url.h"
#include "tests/net/net_test_support.h"

namespace {

struct UrlCase {
  const char* label;
  const char* url;
  const char *scheme, *user, *password, *domain;
  int port;
  const char *path, *query, *fragment, *fullPath;
};

std::string Narrow(const String& text) { return std::string(text.ToCString().c_str()); }

// Parses each case's URL into one object, set again and again: setting leaves nothing of the last URL.
template <std::size_t N>
void ExpectParts(const UrlCase (&cases)[N]) {
  auto* url = (new c_Url)->m_new(String("https://u:p@K:1/a?b#c"), String("http"), 80);
  for (const UrlCase& c : cases) {
    url->p_Set2(String(c.url));
    EXPECT_EQ(Narrow(url->m_scheme), c.scheme) << c.label;
    EXPECT_EQ(Narrow(url->m_username), c.user) << c.label;
    EXPECT_EQ(Narrow(url->m_password), c.password) << c.label;
    EXPECT_EQ(Narrow(url->p_Domain()), c.domain) << c.label;
    EXPECT_EQ(url->p_Port(), c.port) << c.label;
    EXPECT_EQ(Narrow(url->m_path), c.path) << c.label;
    EXPECT_EQ(Narrow(url->m_query), c.query) << c.label;
    EXPECT_EQ(Narrow(url->m_fragment), c.fragment) << c.label;
    EXPECT_EQ(Narrow(url->p_FullPath()), c.fullPath) << c.label;
  }
}

TEST(Url, SplitsEveryPart) {
  const UrlCase cases[] = {
      {"all parts", "http://H:8080/a/b?x=1#top", "http", "", "", "H", 8080, "/a/b", "x=1", "top", "/a/b?x=1#top"},
      {"no scheme", "H/index", "http", "", "", "H", 80, "/index", "", "", "/index"},
      {"no path", "http://H", "http", "", "", "H", 80, "/", "", "", "/"},
      {"question mark inside the fragment", "http://H#frag?x", "http", "", "", "H", 80, "/", "", "frag?x", "/#frag?x"},
      {"user and password", "ftp://ann:s3cret@H/f", "ftp", "ann", "s3cret", "H", 80, "/f", "", "", "/f"},
      {"user without password", "http://ann@H", "http", "ann", "", "H", 80, "/", "", "", "/"},
      {"port not a number", "http://H:abc/", "http", "", "", "H", 0, "/", "", "", "/"},
      {"port with trailing letters", "http://H:81x/p", "http", "", "", "H", 81, "/p", "", "", "/p"},
      {"port without path", "http://H:81?q", "http", "", "", "H", 81, "/", "q", "", "/?q"},
      {"port beyond int", "http://H:99999999999/", "http", "", "", "H", 2147483647, "/", "", "", "/"},
      {"slash before colon", "http://H/a:b", "http", "", "", "H", 80, "/a:b", "", "", "/a:b"},
      {"query without path", "http://H?a=1&b=2", "http", "", "", "H", 80, "/", "a=1&b=2", "", "/?a=1&b=2"},
      {"scheme marker in the query", "H?u=http://x", "http", "", "", "H", 80, "/", "u=http://x", "", "/?u=http://x"},
      {"at sign in the query", "http://H/p?a@b", "http", "", "", "H", 80, "/p", "a@b", "", "/p?a@b"},
      {"empty fragment and query", "http://H/p?#", "http", "", "", "H", 80, "/p", "", "", "/p"},
      {"empty", "", "http", "", "", "", 80, "/", "", "", "/"},
  };
  ExpectParts(cases);
}

// A URL cut just after each of its separators, as a truncated address would arrive: each part falls where the
// rules put it, with the defaults for what is missing.
TEST(Url, PrefixesCutAtEachSeparator) {
  const UrlCase cases[] = {
      {"colon without slashes", "http:", "http", "", "", "http", 0, "/", "", "", "/"},
      {"scheme only", "http://", "http", "", "", "", 80, "/", "", "", "/"},
      {"user name and colon", "http://ann:", "http", "", "", "ann", 0, "/", "", "", "/"},
      {"user information only", "http://ann:pw@", "http", "ann", "pw", "", 80, "/", "", "", "/"},
      {"host and colon", "http://ann:pw@H:", "http", "ann", "pw", "H", 0, "/", "", "", "/"},
      {"port and slash", "http://ann:pw@H:8080/", "http", "ann", "pw", "H", 8080, "/", "", "", "/"},
      {"path and question mark", "http://ann:pw@H:8080/a/b?", "http", "ann", "pw", "H", 8080, "/a/b", "", "", "/a/b"},
      {"query and hash", "http://ann:pw@H:8080/a/b?x=1#", "http", "ann", "pw", "H", 8080, "/a/b", "x=1", "",
       "/a/b?x=1"},
      {"whole", "http://ann:pw@H:8080/a/b?x=1#top", "http", "ann", "pw", "H", 8080, "/a/b", "x=1", "top",
       "/a/b?x=1#top"},
  };
  ExpectParts(cases);
}

TEST(Url, DecimalPrefixReadsLikeAtoi) {
  struct Case {
    const char* text;
    int value;
  } cases[] = {{"42", 42},
               {"  7x", 7},
               {"-12", -12},
               {"+3", 3},
               {"", 0},
               {"x1", 0},
               {"99999999999", 2147483647},
               {"-99999999999", -2147483647 - 1}};
  for (const Case& c : cases) {
    String text(c.text);
    EXPECT_EQ(ko_url_DecimalPrefix(text, 0, text.Length()), c.value) << c.text;
  }
  String longDigits(std::string(63, '0').append("5").c_str());  // the 64th character is not looked at
  EXPECT_EQ(ko_url_DecimalPrefix(longDigits, 0, longDigits.Length()), 0);
}

}  // namespace
