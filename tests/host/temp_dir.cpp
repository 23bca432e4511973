// TempDir: mkdtemp under $TMPDIR (or /tmp); the files it wrote are removed, then the directory.
#include "tests/host/temp_dir.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

TempDir::TempDir() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/quarzel-test-XXXXXX";
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed: " + pattern);
  path_ = pattern;
}

TempDir::~TempDir() {
  for (const std::string& file : files_) std::remove(file.c_str());
  rmdir(path_.c_str());
}

std::string TempDir::Write(const std::string& name, const std::string& bytes) {
  std::string file = path_ + "/" + name;
  std::FILE* out = std::fopen(file.c_str(), "wb");
  if (!out) throw std::runtime_error("cannot write " + file);
  std::fwrite(bytes.data(), 1, bytes.size(), out);
  std::fclose(out);
  if (std::find(files_.begin(), files_.end(), file) == files_.end()) files_.push_back(file);
  return file;
}
