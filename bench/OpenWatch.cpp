// bench_open_watch: runs a desktop program on the current X display and watches, from outside,
// how it opens: when text first shows, when it goes quiet, what it holds in memory then, and how
// promptly its event loop answers in between. Nothing in it knows the program, so any editor
// (ours or a peer) is measured by the same rules. Prints one line of key=value figures.
//
//   bench_open_watch [--settle-ms N] [--timeout-s N] [--ink N] [--shot FILE.ppm] -- COMMAND ARGS...
//
// painted_s   First poll (every ~5 ms) at which the program's top-level window shows text: its
//             rectangle, cut out of the root window with XGetImage (ZPixmap), is more than 30 % light
//             (luminance > 200, so a light text area is up) and holds at least --ink (2000) ink
//             pixels (luminance < 100: a few lines of text, more than the frame, menu and tool
//             bars of an empty window), and the next two polls keep the ink count within 10 % of it
//             (a frame that is still being drawn does not count). Only the window is counted, not
//             the whole root: a bare Xvfb root is black, which would read as ink everywhere.
// idle_s      Start of the first --settle-ms (500) window after painted in which the program and its
//             descendants (found through the parent pids in /proc) use no more than 2 % of one CPU
//             (utime+stime+cutime+cstime from /proc/PID/stat, in clock ticks).
// rss_mib     VmRSS of the program's own process at idle, in MiB.
// ping_max_ms From painted until idle is known, a _NET_WM_PING goes to the window every 50 ms and
// ping_count  the reply (which the toolkit sends to the root) is awaited before the next one, so a
//             stall shows as one long latency; one still out at idle is waited for. The window is the
//             one whose _NET_WM_PID is the program's and whose WM_PROTOCOLS hold _NET_WM_PING.
//             "na" when there is no such window or no reply came back.
// --shot saves the window as a PPM picture, grabbed again the moment painted is decided (two polls on).
// Then the program is sent SIGTERM (its process group), SIGKILL after 2 s. With --timeout-s (120)
// it gives up, prints what it has and adds timeout=1. All times are seconds from just before exec.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;  // CLOCK_MONOTONIC: the same clock in parent and child

double seconds(Clock::time_point t, Clock::time_point t0) { return std::chrono::duration<double>(t - t0).count(); }

// Parent pid and user+system ticks (own and of waited-for children) from /proc/PID/stat.
bool readStat(pid_t pid, pid_t& ppid, long long& ticks) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(in, line)) return false;
  std::istringstream fields(line.substr(line.rfind(')') + 2));  // the command name may hold spaces
  std::string state;
  long long skip, value;
  fields >> state >> ppid;
  for (int i = 0; i < 9; ++i) fields >> skip;                   // fields 5-13, pgrp to cmajflt
  for (int i = 0; i < 4; ++i) fields >> value, ticks += value;  // utime, stime, cutime, cstime
  return bool(fields);
}

// CPU ticks of `root` and every process below it. This kernel has no /proc/PID/task/TID/children,
// so the tree is found through the parent pid of every process.
long long treeTicks(pid_t root) {
  struct Proc { pid_t pid, ppid; long long ticks; };
  std::vector<Proc> procs;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    Proc p{std::atoi(entry.path().filename().c_str()), 0, 0};
    if (p.pid > 0 && readStat(p.pid, p.ppid, p.ticks)) procs.push_back(p);
  }
  std::set<pid_t> tree{root};
  for (bool grew = true; grew;) {  // pids are not in order of descent, so repeat until nothing joins
    grew = false;
    for (const Proc& p : procs)
      if (!tree.count(p.pid) && tree.count(p.ppid)) grew = true, tree.insert(p.pid);
  }
  long long total = 0;
  for (const Proc& p : procs) total += tree.count(p.pid) ? p.ticks : 0;
  return total;
}

double rssMib(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(in, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
  return 0;
}

int ignoreXError(Display*, XErrorEvent*) { return 0; }  // windows come and go under us

struct Target {
  Window window = 0;
  int x = 0, y = 0, width = 0, height = 0;
  bool takesPing = false;
};

// The program's top-level: the largest viewable InputOutput child of the root whose _NET_WM_PID is
// the program's pid, or, for a program that does not set it, the largest viewable one at all.
Target findTarget(Display* dpy, pid_t pid) {
  Window root = DefaultRootWindow(dpy), parent, *children = nullptr;
  unsigned count = 0;
  Atom netWmPid = XInternAtom(dpy, "_NET_WM_PID", False), ping = XInternAtom(dpy, "_NET_WM_PING", False);
  Target best, bestOfPid;
  if (!XQueryTree(dpy, root, &root, &parent, &children, &count)) return best;
  for (unsigned i = 0; i < count; ++i) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(dpy, children[i], &a) || a.map_state != IsViewable || a.c_class != InputOutput) continue;
    Target t{children[i], a.x, a.y, a.width, a.height, false};
    Atom type;
    int format;
    unsigned long items, after;
    unsigned char* data = nullptr;
    bool ofPid = XGetWindowProperty(dpy, t.window, netWmPid, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after,
                                    &data) == Success && data && items == 1 && *reinterpret_cast<long*>(data) == pid;
    if (data) XFree(data);
    Atom* protocols = nullptr;
    int n = 0;
    if (XGetWMProtocols(dpy, t.window, &protocols, &n)) {
      t.takesPing = ofPid && std::find(protocols, protocols + n, ping) != protocols + n;
      XFree(protocols);
    }
    long area = long(t.width) * t.height;
    if (area > long(best.width) * best.height) best = t;
    if (ofPid && area > long(bestOfPid.width) * bestOfPid.height) bestOfPid = t;
  }
  if (children) XFree(children);
  return bestOfPid.window ? bestOfPid : best;
}

struct Frame {
  long ink = 0, light = 0, pixels = 0;
};

// Grabs the target's rectangle (clipped to the screen) from the root and counts ink and light pixels.
Frame grab(Display* dpy, const Target& t, const char* shotPath) {
  Frame f;
  int x0 = std::max(t.x, 0), y0 = std::max(t.y, 0);
  int x1 = std::min(t.x + t.width, DisplayWidth(dpy, 0)), y1 = std::min(t.y + t.height, DisplayHeight(dpy, 0));
  if (x1 <= x0 || y1 <= y0) return f;
  XImage* img = XGetImage(dpy, DefaultRootWindow(dpy), x0, y0, x1 - x0, y1 - y0, AllPlanes, ZPixmap);
  if (!img) return f;
  // The usual 24-bit TrueColor image is read directly; anything else through XGetPixel and the masks.
  bool direct = img->bits_per_pixel == 32 && img->byte_order == LSBFirst && img->red_mask == 0xff0000 &&
                img->green_mask == 0xff00 && img->blue_mask == 0xff;
  auto channel = [](unsigned long pixel, unsigned long mask) {
    int shift = mask ? __builtin_ctzl(mask) : 0;
    unsigned long top = mask >> shift ? mask >> shift : 1;
    return int((pixel & mask) >> shift) * 255 / int(top);
  };
  std::string ppm;
  if (shotPath) ppm = "P6\n" + std::to_string(img->width) + " " + std::to_string(img->height) + "\n255\n";
  for (int y = 0; y < img->height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(img->data + long(y) * img->bytes_per_line);
    for (int x = 0; x < img->width; ++x) {
      int r, g, b;
      if (direct) {
        r = row[x] >> 16 & 0xff, g = row[x] >> 8 & 0xff, b = row[x] & 0xff;
      } else {
        unsigned long p = XGetPixel(img, x, y);
        r = channel(p, img->red_mask), g = channel(p, img->green_mask), b = channel(p, img->blue_mask);
      }
      int lum = (299 * r + 587 * g + 114 * b) / 1000;
      f.ink += lum < 100;
      f.light += lum > 200;
      if (shotPath) ppm += {char(r), char(g), char(b)};
    }
  }
  f.pixels = long(img->width) * img->height;
  XDestroyImage(img);
  if (shotPath) std::ofstream(shotPath, std::ios::binary) << ppm;
  return f;
}

bool textShown(const Frame& f, long inkThreshold) { return f.ink >= inkThreshold && f.light * 10 > f.pixels * 3; }

}  // namespace

int main(int argc, char** argv) {
  long settleMs = 500, timeoutS = 120, inkThreshold = 2000;
  const char* shotPath = nullptr;
  int i = 1;
  for (; i < argc && std::strcmp(argv[i], "--") != 0; i += 2) {
    if (i + 1 >= argc) break;
    if (!std::strcmp(argv[i], "--settle-ms")) settleMs = std::atol(argv[i + 1]);
    else if (!std::strcmp(argv[i], "--timeout-s")) timeoutS = std::atol(argv[i + 1]);
    else if (!std::strcmp(argv[i], "--ink")) inkThreshold = std::atol(argv[i + 1]);
    else if (!std::strcmp(argv[i], "--shot")) shotPath = argv[i + 1];
    else break;
  }
  if (i >= argc - 1 || std::strcmp(argv[i], "--") != 0) {
    std::fprintf(stderr, "usage: %s [--settle-ms N] [--timeout-s N] [--ink N] [--shot FILE.ppm] -- COMMAND ARGS...\n",
                 argv[0]);
    return 2;
  }
  Display* dpy = XOpenDisplay(nullptr);
  if (!dpy) return std::fprintf(stderr, "cannot open the display (DISPLAY is not set or not reachable)\n"), 2;
  XSetErrorHandler(ignoreXError);
  Window root = DefaultRootWindow(dpy);
  // Ping replies are sent to the root, Qt's for StructureNotify, others' for SubstructureNotify.
  XSelectInput(dpy, root, StructureNotifyMask | SubstructureNotifyMask);
  Atom wmProtocols = XInternAtom(dpy, "WM_PROTOCOLS", False), ping = XInternAtom(dpy, "_NET_WM_PING", False);

  // The child reports its clock just before exec through a close-on-exec pipe; EOF after it means exec worked.
  int pipeFd[2];
  if (pipe2(pipeFd, O_CLOEXEC) != 0) return std::perror("pipe"), 2;
  pid_t pid = fork();
  if (pid == 0) {
    setpgid(0, 0);  // its own group, so that it and its helpers can be ended together
    dup2(2, 1);     // whatever it prints goes to stderr: stdout carries only the figures
    Clock::time_point t = Clock::now();
    (void)!write(pipeFd[1], &t, sizeof t);
    execvp(argv[i + 1], argv + i + 1);
    std::perror(argv[i + 1]);
    (void)!write(pipeFd[1], &t, 1);
    _exit(127);
  }
  close(pipeFd[1]);
  Clock::time_point t0;
  char more;
  if (read(pipeFd[0], &t0, sizeof t0) != sizeof t0 || read(pipeFd[0], &more, 1) != 0) return 2;
  close(pipeFd[0]);

  const long clockTicks = sysconf(_SC_CLK_TCK);
  const auto settle = std::chrono::milliseconds(settleMs);
  const auto deadline = t0 + std::chrono::seconds(timeoutS);
  std::optional<Clock::time_point> painted, idle;
  Clock::time_point pingSentAt, nextPing;
  bool pingOutstanding = false;
  std::deque<std::pair<Clock::time_point, Frame>> candidates;  // polls that show text, the oldest first
  std::deque<std::pair<Clock::time_point, long long>> cpu;      // CPU samples since painted
  Target target;
  double rss = 0, pingMax = -1;
  long pingCount = 0, pingStamp = 0;
  bool exited = false;
  // Past idle only to hear a ping still out, from a program that has answered before (a stall that
  // costs no CPU, such as waiting on a disk, would otherwise go unseen).
  while ((!idle || (pingOutstanding && pingCount > 0)) && !exited && Clock::now() < deadline) {
    Clock::time_point now = Clock::now();
    exited = waitpid(pid, nullptr, WNOHANG) == pid;
    if (!painted) {
      target = findTarget(dpy, pid);
      Frame f = target.window ? grab(dpy, target, nullptr) : Frame{};
      if (!textShown(f, inkThreshold)) {
        candidates.clear();
      } else {
        if (!candidates.empty() && std::labs(f.ink - candidates.front().second.ink) * 10 > candidates.front().second.ink)
          candidates.clear();  // the count moved: the oldest was still being drawn, start again from this one
        candidates.emplace_back(now, f);
        if (candidates.size() == 3) {
          painted = candidates.front().first;
          if (shotPath) grab(dpy, target, shotPath);
        }
      }
      std::this_thread::sleep_until(now + std::chrono::milliseconds(5));
      continue;
    }
    // After painted: ping replies, CPU samples every 10 ms, a ping every 50 ms with at most one outstanding.
    while (XPending(dpy)) {
      XEvent ev;
      XNextEvent(dpy, &ev);
      if (pingOutstanding && ev.type == ClientMessage && ev.xclient.message_type == wmProtocols &&
          Atom(ev.xclient.data.l[0]) == ping && ev.xclient.data.l[1] == pingStamp) {
        pingMax = std::max(pingMax, 1000 * seconds(Clock::now(), pingSentAt));
        pingOutstanding = false;
        ++pingCount;
      }
    }
    if (!idle) cpu.emplace_back(now, treeTicks(pid));
    while (!idle && cpu.size() > 1 && cpu.back().first - cpu.front().first >= settle) {
      double quietTicks = 0.02 * clockTicks * seconds(cpu.back().first, cpu.front().first);
      if (cpu.back().second - cpu.front().second <= quietTicks) {
        idle = cpu.front().first, rss = rssMib(pid);
        break;
      }
      cpu.pop_front();
    }
    if (!idle && target.takesPing && !pingOutstanding && now >= nextPing) {
      XEvent ev{};
      ev.xclient = {ClientMessage, 0, True, dpy, target.window, wmProtocols, 32, {}};
      ev.xclient.data.l[0] = long(ping), ev.xclient.data.l[1] = ++pingStamp, ev.xclient.data.l[2] = long(target.window);
      pingOutstanding = true, pingSentAt = Clock::now(), nextPing = pingSentAt + std::chrono::milliseconds(50);
      XSendEvent(dpy, target.window, False, NoEventMask, &ev);
      XFlush(dpy);
    }
    // Wait on the X connection rather than sleep, so that a reply is timed as it arrives.
    for (auto next = now + std::chrono::milliseconds(10); !XPending(dpy) && Clock::now() < next;) {
      pollfd fd{ConnectionNumber(dpy), POLLIN, 0};
      poll(&fd, 1, 1 + int(std::chrono::duration_cast<std::chrono::milliseconds>(next - Clock::now()).count()));
    }
  }

  bool timedOut = !exited && (!idle || (pingOutstanding && pingCount > 0));
  if (pingOutstanding && pingCount > 0) pingMax = std::max(pingMax, 1000 * seconds(Clock::now(), pingSentAt));
  auto figure = [](bool known, double value, const char* format) {
    char text[32] = "na";
    if (known) std::snprintf(text, sizeof text, format, value);
    return std::string(text);
  };
  std::printf("painted_s=%s idle_s=%s rss_mib=%s ping_max_ms=%s ping_count=%ld%s%s\n",
              figure(bool(painted), painted ? seconds(*painted, t0) : 0, "%.3f").c_str(),
              figure(bool(idle), idle ? seconds(*idle, t0) : 0, "%.3f").c_str(), figure(bool(idle), rss, "%.1f").c_str(),
              figure(pingMax >= 0, pingMax, "%.1f").c_str(), pingCount, exited ? " exited=1" : "",
              timedOut ? " timeout=1" : "");
  std::fflush(stdout);
  if (painted && pingMax < 0)
    std::fprintf(stderr, "bench_open_watch: %s\n",
                 target.takesPing ? "no answer to _NET_WM_PING" : "the window (_NET_WM_PID) does not take _NET_WM_PING");
  kill(-pid, SIGTERM);  // the whole group, helpers too, even when the program itself has gone
  for (int waited = 0; waited < 200 && waitpid(pid, nullptr, WNOHANG) == 0; ++waited)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  kill(-pid, SIGKILL);
  if (!exited) waitpid(pid, nullptr, 0);
  XCloseDisplay(dpy);
  return 0;
}
