// Saving a file so that a crash or a kill at any moment leaves the old or
// the new contents whole: written beside the file, read back, synced,
// renamed over it, and the folder synced. Where that cannot be done (a
// folder the player cannot write to, a leftover temporary file in the way)
// the file is rewritten in place, keeping the old bytes to put back should
// the write fail. Only regular files are ever opened.
#include "persist/persist.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#define MAX_LINKS 16

static std::atomic<int> SavesInProgress(0);
static std::atomic<int> SavesStopped(0);

void save_failed(const char *path, const char *why) {
  fprintf(stderr, "%s: not saved (%s); the file keeps what it held before.\n", path, why);
}

// A FIFO, a device or a folder would block or make no sense: refused at
// once, before any read, with errno EINVAL.
static int open_regular(const char *path, int flags) {
  int fd = open(path, flags | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    errno = EINVAL;
    return -1;
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

static int read_from(int fd, unsigned char **data, long *size, long limit) {
  long capacity = 4096, used = 0;
  unsigned char *buf = (unsigned char *)malloc((size_t)capacity + 1);
  ssize_t n = 1;
  while (buf && n > 0 && used < limit) {
    if (used == capacity) {
      capacity *= 2;
      unsigned char *bigger = (unsigned char *)realloc(buf, (size_t)capacity + 1);
      if (!bigger) free(buf);
      buf = bigger;
      if (!buf) break;
    }
    long room = capacity - used < limit - used ? capacity - used : limit - used;
    n = read(fd, buf + used, (size_t)room);
    if (n > 0) used += n;
  }
  if (!buf || n < 0) {
    free(buf);
    return -1;
  }
  buf[used] = 0;
  *data = buf;
  *size = used;
  return 1;
}

int read_whole_file(const char *path, unsigned char **data, long *size, long limit) {
  *data = nullptr;
  *size = 0;
  int fd = open_regular(path, O_RDONLY);
  if (fd < 0) return errno == ENOENT ? 0 : -1;
  int result = read_from(fd, data, size, limit);
  close(fd);
  return result;
}

// A chain of links is followed to its end, so the links stay and the last
// one's target gets the new contents; a dangling link's target is created.
static int follow_links(const char *path, char *target, int size) {
  if (snprintf(target, size, "%s", path) >= size) return 0;
  for (int depth = 0; depth < MAX_LINKS; depth++) {
    struct stat st;
    if (lstat(target, &st) != 0 || !S_ISLNK(st.st_mode)) return 1;
    char link[PATH_MAX];
    ssize_t n = readlink(target, link, sizeof link - 1);
    if (n < 0) return 0;
    link[n] = '\0';
    const char *slash = strrchr(target, '/');
    int folder = link[0] == '/' || !slash ? 0 : (int)(slash - target) + 1;
    char next[PATH_MAX];
    if (snprintf(next, sizeof next, "%.*s%s", folder, target, link) >= (int)sizeof next) return 0;
    if (snprintf(target, size, "%s", next) >= size) return 0;
  }
  return 0;
}

// 0 when there is nothing to write to, said on stderr: a folder, FIFO or
// device in the way, a loop of links, or a file the player made read-only.
static int save_target(const char *path, char *target, int size) {
  if (!follow_links(path, target, size)) {
    save_failed(path, "a loop of symbolic links");
    return 0;
  }
  struct stat st;
  if (stat(target, &st) != 0) return 1;
  if (!S_ISREG(st.st_mode)) save_failed(path, "not a regular file");
  else if (access(target, W_OK) != 0) save_failed(path, "the file is read-only");
  return S_ISREG(st.st_mode) && access(target, W_OK) == 0;
}

// A leftover of an earlier save, whatever it is (a file, a link, a FIFO),
// is removed and a fresh regular file made in its place; a folder in the
// way stays, and none can be made.
static int open_temp(const char *target, char *temp, int size) {
  snprintf(temp, size, "%s.tmp", target);
  unlink(temp);
  int fd = open(temp, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return -1;
  // The new file keeps the permissions of the one it replaces.
  struct stat st;
  if (stat(target, &st) == 0 && fchmod(fd, st.st_mode & 07777) != 0) {
    close(fd);
    unlink(temp);
    return -1;
  }
  return fd;
}

static int write_fully(int fd, const unsigned char *data, long size) {
  while (size > 0) {
    ssize_t n = write(fd, data, (size_t)size);
    if (n <= 0) return 0;
    data += n;
    size -= n;
  }
  return 1;
}

static int write_at_start(int fd, const unsigned char *data, long size) {
  return lseek(fd, 0, SEEK_SET) == 0 && write_fully(fd, data, size);
}

// The file holds exactly these bytes: what a disk or a filesystem that
// loses a write without an error would not give.
static int holds_exactly(int fd, const unsigned char *data, long size) {
  unsigned char *got = nullptr;
  long length = 0;
  int ok = lseek(fd, 0, SEEK_SET) == 0 && read_from(fd, &got, &length, size + 1) == 1 && length == size &&
           memcmp(got, data, (size_t)size) == 0;
  free(got);
  return ok;
}

static int open_folder_of(const char *target) {
  char folder[PATH_MAX];
  snprintf(folder, sizeof folder, "%s", target);
  char *slash = strrchr(folder, '/');
  if (slash) *(slash == folder ? slash + 1 : slash) = '\0';
  return open(slash ? folder : ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

static void sync_folder(const char *target) {
  int fd = open_folder_of(target);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

// Synced, renamed over the target and the folder synced; on failure the
// temporary file is removed.
static int commit_temp(int fd, const char *temp, const char *target) {
  int ok = fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  if (!ok || rename(temp, target) != 0) {
    unlink(temp);
    return 0;
  }
  sync_folder(target);
  return 1;
}

// All that is left to try once a rewrite has failed; should it fail too,
// the old bytes are still all there.
static void put_length_back(int fd, long size) {
  if (ftruncate(fd, size) == 0) fsync(fd);
}

// Room for a longer file is taken before any old byte is touched, so a full
// disk refuses at once. Where the filesystem cannot reserve, the write finds
// out.
static int reserve(int fd, long oldSize, long size) {
  if (size <= oldSize) return 1;
  int err = posix_fallocate(fd, oldSize, size - oldSize);
  if (err == 0 || err == EINVAL || err == EOPNOTSUPP) return 1;
  put_length_back(fd, oldSize);
  errno = err;
  return 0;
}

// The new bytes over the old; on a short write, a failed sync or bytes that
// do not read back, the old ones are written back and the length restored.
static int rewrite_kept(int fd, const unsigned char *old, long oldSize, const unsigned char *data, long size) {
  if (!reserve(fd, oldSize, size)) return 0;
  int ok = write_at_start(fd, data, size) && fsync(fd) == 0;
  ok = ok && (size >= oldSize || (ftruncate(fd, size) == 0 && fsync(fd) == 0));
  ok = ok && holds_exactly(fd, data, size);
  if (ok) return 1;
  if (write_at_start(fd, old, oldSize)) put_length_back(fd, oldSize);
  return 0;
}

static int write_in_place(const char *target, const unsigned char *data, long size) {
  errno = 0;
  int fd = open(target, O_RDWR | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) return 0;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return 0;
  }
  unsigned char *old = nullptr;
  long oldSize = 0;
  int ok = read_from(fd, &old, &oldSize, LONG_MAX - 1) == 1 && rewrite_kept(fd, old, oldSize, data, size);
  free(old);
  return close(fd) == 0 && ok;
}

// A failed write (a full disk) leaves the old file alone: writing it in
// place would fail the same way.
static int write_beside(int fd, const char *temp, const unsigned char *data, long size) {
  if (write_fully(fd, data, size) && holds_exactly(fd, data, size)) return 1;
  close(fd);
  unlink(temp);
  return 0;
}

int save_file_safely(const char *path, const unsigned char *data, long size) {
  char target[PATH_MAX], temp[PATH_MAX + 8];
  if (!save_target(path, target, sizeof target)) return 0;
  errno = 0;
  int fd = open_temp(target, temp, sizeof temp);
  int ok;
  if (fd < 0)
    ok = write_in_place(target, data, size);
  else
    ok = write_beside(fd, temp, data, size) && (commit_temp(fd, temp, target) || write_in_place(target, data, size));
  if (!ok) save_failed(path, errno ? strerror(errno) : "the written bytes did not read back");
  return ok;
}

// --- One save at a time ---

// The folder is locked for the whole read, merge and write, so two copies
// of the game saving at once cannot interleave. A copy that holds the lock
// too long is not waited for beyond two seconds.
static int lock_folder(const char *path) {
  char target[PATH_MAX];
  if (!follow_links(path, target, sizeof target)) snprintf(target, sizeof target, "%s", path);
  int fd = open_folder_of(target);
  for (int tries = 0; fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) != 0; tries++) {
    if (errno != EWOULDBLOCK || tries == 200) return fd;
    struct timespec pause = {0, 10 * 1000 * 1000};
    nanosleep(&pause, nullptr);
  }
  return fd;
}

int save_begin(const char *path) {
  SavesInProgress++;
  if (SavesStopped) {
    SavesInProgress--;
    return SAVE_REFUSED;
  }
  return lock_folder(path);
}

void save_end(int lock) {
  if (lock >= 0) close(lock);
  if (lock != SAVE_REFUSED) SavesInProgress--;
}

// Called where nothing else may run (a display that has gone away): only
// atomics and a plain sleep.
void stop_saving(int waitMs) {
  SavesStopped = 1;
  struct timespec pause = {0, 1000 * 1000};
  for (int waited = 0; SavesInProgress > 0 && waited < waitMs; waited++) nanosleep(&pause, nullptr);
}
