// Hot keys on an X server: each key is grabbed on the root window, so the server hands it
// to this program whichever window has the keyboard. A grab that another program already
// holds is refused by the server (BadAccess), and the registration then fails, as it
// does where the system refuses a hot key.
#include "platform/HotKeyBackend.h"
#include "platform/VirtualKeys.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QCoreApplication>
#include <QGuiApplication>

#include <X11/keysym.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace wabunko {
namespace {

using Modifier = HotKeyService::Modifier;

// The modifier bits of a key event's state; the rest are buttons and the XKB group.
constexpr std::uint16_t kModifierBits = 0xFF;

class X11HotKeys final : public HotKeyBackend, public QAbstractNativeEventFilter {
public:
  X11HotKeys(xcb_connection_t* connection, Pressed pressed)
      : connection_(connection), symbols_(xcb_key_symbols_alloc(connection)),
        pressed_(std::move(pressed)) {
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(connection)); it.rem;
         xcb_screen_next(&it))
      roots_.push_back(it.data->root);
    readModifierMasks();
    QCoreApplication::instance()->installNativeEventFilter(this);
  }

  // The filter's own destructor takes it out of the application.
  ~X11HotKeys() override { xcb_key_symbols_free(symbols_); }

  X11HotKeys(const X11HotKeys&) = delete;
  X11HotKeys& operator=(const X11HotKeys&) = delete;

  bool grab(Modifier modifier, int virtualKey) override {
    const std::optional<PlatformKey> key = platformKey(virtualKey);
    if (!key) return false;
    Grab g{modifier, virtualKey, keycodesOf(key->keysym)};
    if (g.keycodes.empty()) return false;
    std::vector<xcb_void_cookie_t> cookies;
    forEachGrab(g, [&](xcb_window_t root, std::uint16_t mask, xcb_keycode_t code) {
      cookies.push_back(xcb_grab_key_checked(connection_, 0, root, mask, code,
                                             XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    });
    bool granted = true;
    for (xcb_void_cookie_t cookie : cookies) {
      if (xcb_generic_error_t* error = xcb_request_check(connection_, cookie)) {
        granted = false;
        std::free(error);
      }
    }
    if (!granted) {
      release(g);
      return false;
    }
    grabs_.push_back(std::move(g));
    return true;
  }

  void ungrab(Modifier modifier, int virtualKey) override {
    const auto it = std::ranges::find_if(grabs_, [&](const Grab& g) {
      return g.modifier == modifier && g.virtualKey == virtualKey;
    });
    if (it == grabs_.end()) return;
    release(*it);
    grabs_.erase(it);
  }

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_KEY_PRESS) return false;
    const auto* key = static_cast<const xcb_key_press_event_t*>(message);
    if (std::ranges::find(roots_, key->event) == roots_.end()) return false;
    const std::uint16_t held = key->state & kModifierBits & ~lockMask();
    const auto it = std::ranges::find_if(grabs_, [&](const Grab& g) {
      return maskOf(g.modifier) == held &&
             std::ranges::find(g.keycodes, key->detail) != g.keycodes.end();
    });
    if (it == grabs_.end()) return false;
    pressed_(it->modifier, it->virtualKey);
    return true;
  }

private:
  struct Grab {
    Modifier modifier;
    int virtualKey;
    std::vector<xcb_keycode_t> keycodes;
  };

  std::vector<xcb_keycode_t> keycodesOf(xcb_keysym_t keysym) const {
    std::vector<xcb_keycode_t> codes;
    if (xcb_keycode_t* found = xcb_key_symbols_get_keycode(symbols_, keysym)) {
      for (const xcb_keycode_t* c = found; *c != XCB_NO_SYMBOL; ++c)
        if (std::ranges::find(codes, *c) == codes.end()) codes.push_back(*c);
      std::free(found);
    }
    return codes;
  }

  // The modifier bit that a key carrying `keysym` sets, 0 when none does.
  std::uint16_t modifierBitOf(xcb_keysym_t keysym,
                              const xcb_get_modifier_mapping_reply_t& mapping) const {
    const std::vector<xcb_keycode_t> codes = keycodesOf(keysym);
    const xcb_keycode_t* table = xcb_get_modifier_mapping_keycodes(&mapping);
    const int perModifier = mapping.keycodes_per_modifier;
    for (int modifier = 0; modifier < 8; ++modifier) {
      for (int k = 0; k < perModifier; ++k) {
        const xcb_keycode_t code = table[modifier * perModifier + k];
        if (code != 0 && std::ranges::find(codes, code) != codes.end())
          return static_cast<std::uint16_t>(1 << modifier);
      }
    }
    return 0;
  }

  // Which of Mod1-Mod5 are Alt, Num Lock and Scroll Lock depends on the server's
  // modifier map.
  void readModifierMasks() {
    xcb_get_modifier_mapping_reply_t* mapping = xcb_get_modifier_mapping_reply(
        connection_, xcb_get_modifier_mapping(connection_), nullptr);
    if (!mapping) return;
    const std::uint16_t alt = modifierBitOf(XK_Alt_L, *mapping) | modifierBitOf(XK_Alt_R, *mapping);
    if (alt) altMask_ = alt;
    numLockMask_ = modifierBitOf(XK_Num_Lock, *mapping);
    scrollLockMask_ = modifierBitOf(XK_Scroll_Lock, *mapping);
    std::free(mapping);
  }

  std::uint16_t maskOf(Modifier modifier) const {
    return modifier == Modifier::Alt ? altMask_ : std::uint16_t{XCB_MOD_MASK_CONTROL};
  }

  std::uint16_t lockMask() const {
    return XCB_MOD_MASK_LOCK | numLockMask_ | scrollLockMask_;
  }

  // A grab matches only the exact modifier state, so the key is grabbed once for every
  // combination of Caps Lock, Num Lock and Scroll Lock, on every keycode that carries it.
  template <typename F>
  void forEachGrab(const Grab& g, F&& f) const {
    std::vector<std::uint16_t> masks = {maskOf(g.modifier)};
    const std::uint16_t capsLock = XCB_MOD_MASK_LOCK;
    for (const std::uint16_t lock : {capsLock, numLockMask_, scrollLockMask_}) {
      if (lock == 0 || (masks.front() & lock)) continue;
      const std::size_t n = masks.size();
      for (std::size_t i = 0; i < n; ++i)
        if (std::ranges::find(masks, masks[i] | lock) == masks.end())
          masks.push_back(masks[i] | lock);
    }
    for (xcb_window_t root : roots_)
      for (std::uint16_t mask : masks)
        for (xcb_keycode_t code : g.keycodes) f(root, mask, code);
  }

  // Releases only this program's grabs; the server leaves another program's alone.
  void release(const Grab& g) {
    forEachGrab(g, [&](xcb_window_t root, std::uint16_t mask, xcb_keycode_t code) {
      xcb_ungrab_key(connection_, code, root, mask);
    });
    xcb_flush(connection_);
  }

  xcb_connection_t* connection_;
  xcb_key_symbols_t* symbols_;
  Pressed pressed_;
  std::vector<xcb_window_t> roots_;
  std::uint16_t altMask_ = XCB_MOD_MASK_1;
  std::uint16_t numLockMask_ = 0;
  std::uint16_t scrollLockMask_ = 0;
  std::vector<Grab> grabs_;
};

}  // namespace

std::unique_ptr<HotKeyBackend> makeX11HotKeys(HotKeyBackend::Pressed pressed) {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->connection()) return nullptr;
  return std::make_unique<X11HotKeys>(x11->connection(), std::move(pressed));
}

}  // namespace wabunko
