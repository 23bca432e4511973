// The fake OpenGL functions as a Windows program reaches them: the libraries' objects are compiled against
// the system's headers, which declare these functions imported from a DLL, so each call goes through a
// pointer named __imp_<function> that the DLL's import library would hold. Here each pointer holds the fake.
// Invariant: every function fake_gl.cpp defines is listed once (a missing one fails the link).
#include <GL/gl.h>

#define QZ_FAKE_IMPORT(function) \
  extern "C" const void* const __imp_##function = reinterpret_cast<const void*>(&function);

QZ_FAKE_IMPORT(glViewport)
QZ_FAKE_IMPORT(glMatrixMode)
QZ_FAKE_IMPORT(glLoadIdentity)
QZ_FAKE_IMPORT(glOrtho)
QZ_FAKE_IMPORT(glEnableClientState)
QZ_FAKE_IMPORT(glVertexPointer)
QZ_FAKE_IMPORT(glTexCoordPointer)
QZ_FAKE_IMPORT(glColorPointer)
QZ_FAKE_IMPORT(glEnable)
QZ_FAKE_IMPORT(glDisable)
QZ_FAKE_IMPORT(glBlendFunc)
QZ_FAKE_IMPORT(glClearColor)
QZ_FAKE_IMPORT(glClear)
QZ_FAKE_IMPORT(glScissor)
QZ_FAKE_IMPORT(glDrawArrays)
QZ_FAKE_IMPORT(glDrawElements)
QZ_FAKE_IMPORT(glReadPixels)
QZ_FAKE_IMPORT(glGenTextures)
QZ_FAKE_IMPORT(glDeleteTextures)
QZ_FAKE_IMPORT(glBindTexture)
QZ_FAKE_IMPORT(glTexParameteri)
QZ_FAKE_IMPORT(glPixelStorei)
QZ_FAKE_IMPORT(glGetError)
QZ_FAKE_IMPORT(glTexImage2D)
QZ_FAKE_IMPORT(glTexSubImage2D)
