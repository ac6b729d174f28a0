// Preloaded into the editor (LD_PRELOAD) by scripts/kill-during-save: refuses unnamed
// temporary files (open with O_TMPFILE) as file systems without them do, so that a save
// writes its temporary file under a name beside the document for the whole write, as it
// does there, and a kill during the write leaves that file behind. Qt opens files by path
// (open64; open where that is the same call).
// Declared by the C library as wrappers when fortified; here they are defined.
#undef _FORTIFY_SOURCE
#include <cerrno>
#include <cstdarg>
#include <dlfcn.h>
#include <fcntl.h>

namespace {

using Open = int (*)(const char*, int, ...);

Open next(const char* name) { return reinterpret_cast<Open>(dlsym(RTLD_NEXT, name)); }

int openNamedOnly(Open real, const char* path, int flags, va_list arguments) {
  const bool unnamed = (flags & O_TMPFILE) == O_TMPFILE;
  if (unnamed) {
    errno = EOPNOTSUPP;
    return -1;
  }
  // The mode is there only when the call creates a file.
  return (flags & O_CREAT) ? real(path, flags, static_cast<mode_t>(va_arg(arguments, int))) : real(path, flags);
}

}  // namespace

extern "C" int open64(const char* path, int flags, ...) {
  static const Open real = next("open64");
  va_list arguments;
  va_start(arguments, flags);
  const int result = openNamedOnly(real, path, flags, arguments);
  va_end(arguments);
  return result;
}

extern "C" int open(const char* path, int flags, ...) {
  static const Open real = next("open");
  va_list arguments;
  va_start(arguments, flags);
  const int result = openNamedOnly(real, path, flags, arguments);
  va_end(arguments);
  return result;
}
