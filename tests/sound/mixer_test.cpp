// Allegro's real mixer, heard through an ALSA device that writes what it is
// given to a file. Allegro only loads its ALSA driver under a real system
// driver, so a child process starts Allegro on a private X server (Xvfb).
#include <errno.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <math.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "persist/persist.h"
#include "sound/sound.h"
#include "sound_fixture.h"

namespace {

// The server writes its display number again on every reset, so the pipe
// stays open while it runs (a closed one would kill it with SIGPIPE).
struct XServer {
  pid_t pid = -1;
  int display = -1;
  int pipe_fd = -1;
  ~XServer() {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    close(pipe_fd);
  }
};

void start_xvfb(XServer *x) {
  int fds[2];
  ASSERT_EQ(0, pipe(fds));
  pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    close(fds[0]);
    int null_fd = open("/dev/null", O_WRONLY);
    dup2(null_fd, 1);
    dup2(null_fd, 2);
    std::string fd = std::to_string(fds[1]);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "320x240x16", "-nolisten",
           "tcp", "-noreset", (char *)nullptr);
    _exit(127);
  }
  close(fds[1]);
  x->pid = pid;
  x->pipe_fd = fds[0];
  struct pollfd p = {fds[0], POLLIN, 0};
  char buf[16] = {};
  if (poll(&p, 1, 20000) == 1 && read(fds[0], buf, sizeof buf - 1) > 0) x->display = atoi(buf);
  ASSERT_GE(x->display, 0) << "Xvfb did not start (Debian package xvfb)";
}

int wait_until_silent(int channel) {
  for (int i = 0; i < 1000 && FSOUND_IsPlaying(channel); i++) usleep(5000);
  return !FSOUND_IsPlaying(channel);
}

// The child: an effect at half rate, a pause, then a tune; exit code says
// how far it got.
int play_through_allegro(const Bytes &effect, const Bytes &tune) {
  // The server may still be settling when it reports its display.
  int tries = 0;
  while (install_allegro(SYSTEM_AUTODETECT, &errno, nullptr) != 0) {
    if (++tries == 50) return 2;
    usleep(100000);
  }
  if (install_sound_driver() != 0) return 3;
  if (fsound_driver_voices() != 64) return 9;
  fsound_use_fake_output(0);
  if (!FSOUND_Init(44100, 64, 0)) return 4;
  Settings.soundvolume = 8;
  Settings.musicvolume = 8;
  FSOUND_SAMPLE *e = load_bytes(effect);
  FSOUND_SAMPLE *t = load_bytes(tune);
  if (!e || !t) return 5;
  int ch = play_effect(e, 0, 22050);
  FsoundChannelInfo info{};
  if (ch < 1 || !fsound_channel_info(ch, &info) || info.voice < 0) return 6;
  if (!wait_until_silent(ch)) return 7;
  usleep(300000);
  ch = play_music(t, 0);
  if (ch < 1 || !wait_until_silent(ch)) return 8;
  usleep(200000);
  FSOUND_Close();
  allegro_exit();
  return 0;
}

// The file plugin writes a WAV header then the raw frames Allegro sent;
// Allegro's mixer may hand over unsigned data, so levels are taken about
// the mean, which the long silences pin to the zero level. Empty when the
// capture is not 16-bit WAV.
std::vector<int> read_left_channel(const std::string &path, int *rate) {
  std::ifstream in(path, std::ios::binary);
  Bytes b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<int> left;
  if (b.size() < 44 || memcmp(b.data() + 36, "data", 4) != 0 || b[34] != 16 || b[22] < 1) return left;
  *rate = b[24] | (b[25] << 8) | (b[26] << 16);
  size_t step = 2 * (size_t)b[22];
  double sum = 0;
  for (size_t i = 44; i + step <= b.size(); i += step) {
    left.push_back(b[i] | (b[i + 1] << 8));
    sum += left.back();
  }
  int zero = left.empty() ? 0 : (int)lrint(sum / left.size());
  for (int &v : left) v = (int16_t)(uint16_t)(v - zero);
  return left;
}

struct Segment {
  long from;
  long to;
  int crossings;
  int peak;
  double seconds(int rate) const { return (to - from) / (double)rate; }
  double frequency(int rate) const { return crossings / 2.0 / seconds(rate); }
};

// Stretches of sound parted by at least 50 ms of silence.
std::vector<Segment> find_segments(const std::vector<int> &s, int rate) {
  std::vector<Segment> out;
  long last_loud = -rate;
  for (long i = 0; i < (long)s.size(); i++) {
    if (abs(s[i]) < 600) continue;
    if (i - last_loud > rate / 20) out.push_back(Segment{i, i, 0, 0});
    out.back().to = last_loud = i;
  }
  for (Segment &g : out) {
    for (long i = g.from + 1; i <= g.to; i++) {
      g.crossings += (s[i] >= 0) != (s[i - 1] >= 0);
      g.peak = std::max(g.peak, abs(s[i]));
    }
  }
  return out;
}

TEST(RealMixer, EffectAtHalfRateSoundsAnOctaveDownAndTwiceAsLong) {
  char dir_template[] = "/tmp/qvl_mixer_XXXXXX";
  ASSERT_NE(nullptr, mkdtemp(dir_template));
  std::string dir = dir_template;
  std::string capture = dir + "/capture.wav";
  std::string conf = dir + "/asound.conf";
  {
    std::ofstream f(conf);
    f << "pcm.!default {\n  type file\n  slave.pcm { type null }\n  file \"" << capture
      << "\"\n  format \"wav\"\n}\n";
  }
  Bytes effect = make_wav(16, 1, 44100, 11025, 1000);
  Bytes tune = make_ogg(2, 44100, 11025, 1000);

  XServer x;
  start_xvfb(&x);
  if (x.display < 0) return;
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    int null_fd = open("/dev/null", O_WRONLY);
    dup2(null_fd, 2);
    setenv("DISPLAY", (":" + std::to_string(x.display)).c_str(), 1);
    setenv("ALSA_CONFIG_PATH", conf.c_str(), 1);
    _exit(play_through_allegro(effect, tune));
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(0, WEXITSTATUS(status)) << "2 Allegro, 3 sound driver, 4 init, 5 load, 6 no voice, "
                                       "7/8 never ended, 9 not 64 voices";

  int rate = 0;
  std::vector<int> left = read_left_channel(capture, &rate);
  unlink(capture.c_str());
  unlink(conf.c_str());
  rmdir(dir.c_str());
  ASSERT_FALSE(left.empty());
  std::vector<Segment> parts = find_segments(left, rate);
  ASSERT_EQ(2u, parts.size());
  const Segment &slow = parts[0];
  const Segment &normal = parts[1];
  EXPECT_GT(slow.peak, 2000);
  EXPECT_GT(normal.peak, 2000);
  EXPECT_NEAR(1000.0, normal.frequency(rate), 30);
  EXPECT_NEAR(0.5, slow.frequency(rate) / normal.frequency(rate), 0.02);
  EXPECT_NEAR(2.0, slow.seconds(rate) / normal.seconds(rate), 0.1);
}

}  // namespace
