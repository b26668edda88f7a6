#include "platform/ui/ibus_input_method.h"

#include <ibus.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "platform/ui/momentary_environment.h"

namespace vetra::ui {

namespace {

// The Korean engine's switch between Hangul and Latin input: a toggle property, checked while
// Hangul is typed. Activating it flips it, whatever state is asked for, so it is only activated
// once its state is known.
constexpr const char* kInputModeProperty = "InputMode";

// How long the daemon may take over one key before the key is the program's own.
constexpr gint kKeyTimeoutMs = 1000;
// How long a program at its start waits for the daemon to take it on; one that does not answer
// in time is taken up whenever it answers.
constexpr auto kStartWait = std::chrono::milliseconds(1000);
// A daemon given up for not answering is asked again this often, and given this long to answer.
constexpr auto kRetryAfter = std::chrono::seconds(1);
constexpr gint kRetryTimeoutMs = 500;

// A key the engine cannot know and so passes on: sent after a reset, its answer comes only once
// the engine has dealt with the reset, so what the reset committed has arrived by then.
constexpr guint kNoKeysym = 0xffffff;

}  // namespace

struct IBusInputMethod::State {
  Listener listener;
  IBusBus* bus = nullptr;
  IBusInputContext* context = nullptr;
  bool connected = false;
  std::optional<bool> mode;    // the engine's mode as it last said
  std::optional<bool> wanted;  // a mode asked for, until the engine's mode is known
  bool toggling = false;       // an activation is on its way; its answer is awaited
  // The key being given to the daemon, to tell it from other keys it passes on.
  struct Key {
    unsigned keysym = 0;
    bool released = false;
  };
  std::optional<Key> current;
  bool passedBack = false;
  std::string composing;  // what the engine shows as composed
  bool composeInWindow = true;  // the window with the keyboard draws the composition itself
  // A daemon given up while its bus stays (it stopped answering) is asked again from then on.
  std::optional<std::chrono::steady_clock::time_point> retryAt;
  // A request for an input context on its way: it forgets this state if the state goes first.
  struct ContextRequest {
    State* state = nullptr;
  };
  ContextRequest* request = nullptr;  // not owned

  ~State()
  {
    if (request) request->state = nullptr;
    if (context) {
      g_signal_handlers_disconnect_by_data(context, this);
      if (connected) ibus_proxy_destroy(IBUS_PROXY(context));
      g_object_unref(context);
    }
    if (bus) {
      g_signal_handlers_disconnect_by_data(bus, this);
      g_object_unref(bus);
    }
    // Whatever the daemon's connection still had queued goes with it.
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
  }

  void ApplyWanted()
  {
    if (!wanted || !mode || toggling || !connected) return;
    if (*wanted != *mode) {
      toggling = true;
      ibus_input_context_property_activate(context, kInputModeProperty,
                                           *wanted ? PROP_STATE_CHECKED : PROP_STATE_UNCHECKED);
    }
    wanted.reset();
  }

  void ModeIs(bool native)
  {
    toggling = false;
    // The first word of the engine is no switch: it only tells where the engine stands.
    const bool changed = mode && *mode != native;
    mode = native;
    if (changed && listener.modeChanged) listener.modeChanged(native);
    ApplyWanted();
  }

  static void OnCommit(IBusInputContext*, IBusText* text, gpointer data)
  {
    auto* self = static_cast<State*>(data);
    if (self->listener.commit) self->listener.commit(ibus_text_get_text(text));
  }

  void Composes(const std::string& text)
  {
    composing = text;
    if (listener.compose) listener.compose(text);
  }

  static void OnPreedit(IBusInputContext*, IBusText* text, guint, gboolean visible, gpointer data)
  {
    static_cast<State*>(data)->Composes(visible ? ibus_text_get_text(text) : "");
  }

  static void OnHidePreedit(IBusInputContext*, gpointer data) { static_cast<State*>(data)->Composes(""); }

  static void OnForward(IBusInputContext*, guint keysym, guint /*keycode*/, guint state, gpointer data)
  {
    auto* self = static_cast<State*>(data);
    const bool released = (state & IBUS_RELEASE_MASK) != 0;
    if (self->current && self->current->keysym == keysym && self->current->released == released) {
      self->passedBack = true;
      return;
    }
    // Another key passed on (none the engines in use send): a character key types its character.
    const gunichar character = released ? 0 : ibus_keyval_to_unicode(keysym);
    if (character < 0x20 || character == 0x7f || !self->listener.commit) return;
    char utf8[8] = {};
    g_unichar_to_utf8(character, utf8);
    self->listener.commit(utf8);
  }

  static void OnRegisterProperties(IBusInputContext*, IBusPropList* list, gpointer data)
  {
    auto* self = static_cast<State*>(data);
    for (guint i = 0;; ++i) {
      IBusProperty* property = ibus_prop_list_get(list, i);
      if (!property) break;
      if (std::strcmp(ibus_property_get_key(property), kInputModeProperty) == 0) {
        self->ModeIs(ibus_property_get_state(property) == PROP_STATE_CHECKED);
        return;
      }
    }
  }

  static void OnUpdateProperty(IBusInputContext*, IBusProperty* property, gpointer data)
  {
    auto* self = static_cast<State*>(data);
    if (std::strcmp(ibus_property_get_key(property), kInputModeProperty) == 0) {
      self->ModeIs(ibus_property_get_state(property) == PROP_STATE_CHECKED);
    }
  }

  static void OnDisconnected(IBusBus*, gpointer data) { static_cast<State*>(data)->GiveUp(); }

  // The daemon is gone or no longer answers: its context is dropped, so nothing it may still say
  // reaches the program, and what the user saw composed stays, typed.
  void GiveUp()
  {
    Detach();
    if (!composing.empty()) {
      const std::string kept = composing;
      if (listener.commit) listener.commit(kept);
      Composes("");
    }
  }

  void Detach()
  {
    if (context) {
      g_signal_handlers_disconnect_by_data(context, this);
      g_object_unref(context);
      context = nullptr;
    }
    connected = false;
    mode.reset();
    toggling = false;
    current.reset();
  }

  // Asks a daemon that stopped answering for a new context, without waiting for it.
  void RetryWhenDue()
  {
    if (connected || request || !retryAt || std::chrono::steady_clock::now() < *retryAt) return;
    AskForContext(kRetryTimeoutMs);
  }

  // Asks the daemon for an input context of our own; its answer is taken whenever it comes, and a
  // daemon that does not answer in time is asked again later. The bus says when there is a
  // daemon to ask.
  void AskForContext(gint timeoutMs)
  {
    if (request || !ibus_bus_is_connected(bus)) return;
    // The answer's callback owns the request; this state only points at it.
    request = std::make_unique<ContextRequest>(ContextRequest{this}).release();
    ibus_bus_create_input_context_async(bus, "vetra", timeoutMs, nullptr, OnContextAnswered, request);
  }

  static void OnContextAnswered(GObject* source, GAsyncResult* result, gpointer data)
  {
    const std::unique_ptr<ContextRequest> request(static_cast<ContextRequest*>(data));
    GError* error = nullptr;
    IBusInputContext* fresh = ibus_bus_create_input_context_async_finish(IBUS_BUS(source), result, &error);
    if (error) g_error_free(error);
    State* self = request->state;
    if (!self) {
      if (fresh) g_object_unref(fresh);
      return;
    }
    self->request = nullptr;
    if (!fresh || self->connected) {
      if (fresh) g_object_unref(fresh);
      else self->retryAt = std::chrono::steady_clock::now() + kRetryAfter;
      return;
    }
    self->retryAt.reset();
    self->Attach(fresh);
    if (self->listener.takenUp) self->listener.takenUp();
  }

  // The bus reached a daemon: late at the program's start, or the desktop started its daemon
  // again (the bus follows its address file). A request still on its way went to a daemon that is
  // gone: the new one is asked.
  static void OnConnected(IBusBus*, gpointer data)
  {
    auto* self = static_cast<State*>(data);
    self->retryAt.reset();
    if (self->request) {
      self->request->state = nullptr;
      self->request = nullptr;
    }
    self->AskForContext(kRetryTimeoutMs);
  }

  void TellCapabilities()
  {
    if (!connected) return;
    ibus_input_context_set_capabilities(context,
                                        IBUS_CAP_FOCUS | IBUS_CAP_PROPERTY | (composeInWindow ? IBUS_CAP_PREEDIT_TEXT : 0));
  }

  // An input context of our own on the daemon, telling us what it does.
  bool Attach(IBusInputContext* fresh)
  {
    Detach();
    context = fresh;
    if (!context) return false;
    connected = true;
    g_signal_connect(context, "commit-text", G_CALLBACK(OnCommit), this);
    g_signal_connect(context, "update-preedit-text", G_CALLBACK(OnPreedit), this);
    g_signal_connect(context, "hide-preedit-text", G_CALLBACK(OnHidePreedit), this);
    g_signal_connect(context, "forward-key-event", G_CALLBACK(OnForward), this);
    g_signal_connect(context, "register-properties", G_CALLBACK(OnRegisterProperties), this);
    g_signal_connect(context, "update-property", G_CALLBACK(OnUpdateProperty), this);
    TellCapabilities();
    return true;
  }
};

namespace {

// Runs GLib's main context (where the daemon's answers arrive) until `done` holds or `limit` has
// passed.
template <typename Done>
void RunMainContextUntil(Done done, std::chrono::milliseconds limit)
{
  bool late = false;
  const guint timer = g_timeout_add(
      static_cast<guint>(limit.count()),
      [](gpointer flag) -> gboolean {
        *static_cast<bool*>(flag) = true;
        return G_SOURCE_REMOVE;
      },
      &late);
  while (!done() && !late) g_main_context_iteration(nullptr, TRUE);
  if (!late) g_source_remove(timer);
}

}  // namespace

bool IBusInputMethod::DesktopRunsOne()
{
  static const bool initialised = [] {
    ibus_init();
    // The client watches one local file (the daemon's address file) through GIO. A desktop offers
    // GIO its file-system daemon's client (gvfs) in place of plain local files, and that client
    // waits on the session bus as it starts, without any limit: GIO's own local files are taken,
    // which need no bus. GIO reads the choice once, here.
    const MomentaryEnvironment localFiles("GIO_USE_VFS", "local");
    g_vfs_get_default();
    return true;
  }();
  (void)initialised;
  return ibus_get_address() != nullptr;
}

std::unique_ptr<IBusInputMethod> IBusInputMethod::Connect()
{
  // No daemon runs for the desktop: the program has no input method of ours.
  if (!DesktopRunsOne()) return nullptr;
  auto state = std::make_unique<State>();
  // The login to the daemon and the context it gives run while the program goes on: a daemon
  // that accepts and never answers (a frozen one) would otherwise hold the program at its start.
  state->bus = ibus_bus_new_async();
  if (!state->bus) return nullptr;
  g_signal_connect(state->bus, "disconnected", G_CALLBACK(State::OnDisconnected), state.get());
  g_signal_connect(state->bus, "connected", G_CALLBACK(State::OnConnected), state.get());
  if (ibus_bus_is_connected(state->bus)) State::OnConnected(state->bus, state.get());
  State* const waiting = state.get();
  RunMainContextUntil([waiting] { return waiting->connected; }, kStartWait);
  return std::unique_ptr<IBusInputMethod>(new IBusInputMethod(std::move(state)));
}

IBusInputMethod::IBusInputMethod(std::unique_ptr<State> state) : m_state(std::move(state)) {}

IBusInputMethod::~IBusInputMethod() = default;

void IBusInputMethod::Listen(Listener listener) { m_state->listener = std::move(listener); }

namespace {
struct KeyAnswer {
  bool done = false;
  bool taken = false;
  bool unanswered = false;  // the daemon failed to answer (gone, stopped or broken)
};

void OnKeyAnswered(GObject* source, GAsyncResult* result, gpointer data)
{
  auto* answer = static_cast<KeyAnswer*>(data);
  GError* error = nullptr;
  answer->taken = ibus_input_context_process_key_event_async_finish(IBUS_INPUT_CONTEXT(source), result, &error) != FALSE;
  if (error) {
    answer->taken = false;
    answer->unanswered = true;
    g_error_free(error);
  }
  answer->done = true;
}
}  // namespace

bool IBusInputMethod::ProcessKey(unsigned keysym, unsigned keycode, unsigned state, bool released)
{
  State& s = *m_state;
  if (!s.connected) return false;
  s.current = State::Key{keysym, released};
  s.passedBack = false;
  KeyAnswer answer;
  ibus_input_context_process_key_event_async(s.context, keysym, keycode, state | (released ? IBUS_RELEASE_MASK : 0),
                                             kKeyTimeoutMs, nullptr, OnKeyAnswered, &answer);
  // What the engine says about the key (text it commits, the key passed back) comes before its
  // answer: all of it is handed on before the key's own events are looked at.
  while (!answer.done) g_main_context_iteration(nullptr, TRUE);
  Pump();
  s.current.reset();
  if (answer.unanswered && s.connected) {
    // A daemon that no longer answers in time would hold every key: the keys are the
    // program's own until it answers again.
    s.GiveUp();
    s.retryAt = std::chrono::steady_clock::now() + kRetryAfter;
  }
  return answer.taken && !s.passedBack;
}

void IBusInputMethod::FocusIn()
{
  if (m_state->connected) ibus_input_context_focus_in(m_state->context);
}

void IBusInputMethod::FocusOut()
{
  if (m_state->connected) ibus_input_context_focus_out(m_state->context);
}

void IBusInputMethod::Reset()
{
  if (!m_state->connected) return;
  ibus_input_context_reset(m_state->context);
  ProcessKey(kNoKeysym, 0, 0, true);
}

void IBusInputMethod::ComposeInWindow(bool inWindow)
{
  if (m_state->composeInWindow == inWindow) return;
  m_state->composeInWindow = inWindow;
  m_state->TellCapabilities();
}

void IBusInputMethod::CaretAt(int x, int y, int width, int height)
{
  if (m_state->connected) ibus_input_context_set_cursor_location(m_state->context, x, y, width, height);
}

void IBusInputMethod::WantNativeMode(bool native)
{
  m_state->wanted = native;
  m_state->ApplyWanted();
}

void IBusInputMethod::Pump()
{
  while (g_main_context_iteration(nullptr, FALSE)) {
  }
  m_state->RetryWhenDue();
}

}  // namespace vetra::ui
