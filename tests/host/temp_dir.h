// A private temporary directory for files a test makes; it and everything written into it are removed when
// the object goes out of scope.
#pragma once

#include <string>
#include <vector>

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // Writes `bytes` to the file `name` in the directory and returns its full path.
  std::string Write(const std::string& name, const std::string& bytes);
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::vector<std::string> files_;
};
