// Where this build tree keeps what the tests and benches open or run: absolute paths, different in every clone
// and build tree. They live in one generated file (build_paths.cpp in the build tree, made by
// tests/support/CMakeLists.txt) instead of on the compile line of every test source, so that the compiler cache
// serves a fresh clone in another folder: only that one small file is compiled anew.
#pragma once

namespace build_paths {

extern const char* const kDataDir;         // the generated data folder
extern const char* const kBuildDir;        // the build tree
extern const char* const kTestOutputDir;   // screenshots and other test output
extern const char* const kPackageDir;      // where the package fixture writes the .deb
extern const char* const kReplayCorpusDir;  // tests/replay/corpus in the source tree
extern const char* const kCMake;           // the cmake program that configured the build
extern const char* const kProgram;         // quarzel
extern const char* const kAssetinfo;
extern const char* const kDatagen;
extern const char* const kExitProbe;
extern const char* const kOpenProbe;
extern const char* const kInputProbe;

}  // namespace build_paths
