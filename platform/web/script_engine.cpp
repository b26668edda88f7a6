#include "platform/web/script_engine.h"

#include <duktape.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "platform/base/clock.h"
#include "platform/base/exceptions.h"
#include "platform/base/text.h"
#include "platform/base/trace.h"
#include "platform/ole/ole_control_object.h"

namespace vetra::web {
namespace {

// Hidden keys: the engine in the stash, and what native functions find on their objects.
constexpr const char* kEngineKey = DUK_HIDDEN_SYMBOL("engine");
constexpr const char* kTimersKey = DUK_HIDDEN_SYMBOL("timers");
constexpr const char* kElementsKey = DUK_HIDDEN_SYMBOL("elements");
constexpr const char* kHandlersKey = DUK_HIDDEN_SYMBOL("handlers");
constexpr const char* kLocationKey = DUK_HIDDEN_SYMBOL("location");
constexpr const char* kAllKey = DUK_HIDDEN_SYMBOL("all");
constexpr const char* kObjectKey = DUK_HIDDEN_SYMBOL("object");
constexpr const char* kDispidKey = DUK_HIDDEN_SYMBOL("dispid");
constexpr const char* kNodeKey = DUK_HIDDEN_SYMBOL("node");

constexpr int kMaxTimerRunsPerPump = 10000;
// Event handlers that make their control fire again nest without end; each level costs native
// stack, so nesting stops here.
constexpr int kMaxScriptNesting = 64;

ScriptEngine& EngineOf(duk_context* ctx)
{
  duk_push_global_stash(ctx);
  duk_get_prop_string(ctx, -1, kEngineKey);
  auto* engine = static_cast<ScriptEngine*>(duk_get_pointer(ctx, -1));
  duk_pop_2(ctx);
  return *engine;
}

// The engine unwinds script errors with longjmp, which skips C++ destructors. Native functions
// therefore do their work inside `work`, whose objects are all gone before the error is raised.
template <typename Work>
duk_ret_t Guarded(duk_context* ctx, Work&& work)
{
  static thread_local char message[512];
  bool failed = false;
  duk_ret_t result = 0;
  {
    std::string error;
    try {
      result = work(error);
    } catch (const win::CException& e) {
      error = Utf8(e.GetErrorMessage());  // the framework's text for a failed handler
    } catch (const std::exception& e) {
      error = e.what();
    } catch (...) {
      error = "automation error";
    }
    if (error.empty() && result < 0) error = "automation error";
    if (!error.empty()) {
      failed = true;
      std::strncpy(message, error.c_str(), sizeof message - 1);
      message[sizeof message - 1] = '\0';
    }
  }
  if (failed) return duk_error(ctx, DUK_ERR_ERROR, "%s", message);
  return result;
}

// Safe string of any value (its toString may throw; that is caught).
std::string StringOf(duk_context* ctx, duk_idx_t index)
{
  duk_dup(ctx, index);
  std::size_t length = 0;
  const char* text = duk_safe_to_lstring(ctx, -1, &length);
  std::string out(text, length);
  duk_pop(ctx);
  return out;
}

void PushVariant(duk_context* ctx, const win::COleVariant& value)
{
  switch (value.vt()) {
    case win::VT_EMPTY: duk_push_undefined(ctx); break;
    case win::VT_BOOL: duk_push_boolean(ctx, value.AsBool()); break;
    case win::VT_BSTR: {
      const std::string text = Utf8(value.AsString());
      duk_push_lstring(ctx, text.data(), text.size());
      break;
    }
    default: duk_push_number(ctx, value.AsDouble()); break;
  }
}

win::COleVariant VariantOf(duk_context* ctx, duk_idx_t index)
{
  switch (duk_get_type(ctx, index)) {
    case DUK_TYPE_NUMBER: {
      const double number = duk_get_number(ctx, index);
      if (std::trunc(number) == number && number >= -2147483648.0 && number <= 2147483647.0) {
        return win::COleVariant(static_cast<win::LONG>(number));
      }
      return win::COleVariant(number);
    }
    case DUK_TYPE_BOOLEAN: return win::COleVariant(static_cast<bool>(duk_get_boolean(ctx, index)));
    case DUK_TYPE_NONE:
    case DUK_TYPE_UNDEFINED:
    case DUK_TYPE_NULL: return win::COleVariant();
    default: return win::COleVariant(Cp949(StringOf(ctx, index)));
  }
}

std::string AutomationErrorText(win::HRESULT hr, std::string_view name)
{
  switch (hr) {
    case win::DISP_E_TYPEMISMATCH: return "Type mismatch: " + std::string(name);
    case win::DISP_E_OVERFLOW: return "Overflow: " + std::string(name);
    case win::DISP_E_BADPARAMCOUNT: return "Wrong number of arguments: " + std::string(name);
    default: return "Object doesn't support this property or method: " + std::string(name);
  }
}

std::string LowerKey(std::string_view id, std::string_view event)
{
  return ToLowerAscii(id) + "." + ToLowerAscii(event);
}

void PushStashObject(duk_context* ctx, const char* key)
{
  duk_push_global_stash(ctx);
  duk_get_prop_string(ctx, -1, key);
  duk_remove(ctx, -2);
}

std::uint64_t DelayOf(duk_context* ctx, duk_idx_t index)
{
  double delay = 0;
  if (duk_is_number(ctx, index)) delay = duk_get_number(ctx, index);
  else if (duk_is_string(ctx, index)) delay = std::atof(duk_get_string(ctx, index));
  if (!(delay > 0)) return 0;
  return static_cast<std::uint64_t>(std::min(delay, 2147483647.0));
}

// ---- window functions

duk_ret_t Alert(duk_context* ctx)
{
  return Guarded(ctx, [ctx](std::string&) {
    const std::string text = duk_is_undefined(ctx, 0) ? std::string() : StringOf(ctx, 0);
    ScriptEngine& engine = EngineOf(ctx);
    const ScriptEngine::HostCall waiting(engine);
    engine.Host().Alert(text);
    return 0;
  });
}

duk_ret_t AddTimer(duk_context* ctx, bool repeat)
{
  return Guarded(ctx, [ctx, repeat](std::string& error) {
    const duk_idx_t count = duk_get_top(ctx);
    ScriptEngine& engine = EngineOf(ctx);
    const std::uint64_t delay = count > 1 ? DelayOf(ctx, 1) : 0;
    const bool isFunction = duk_is_function(ctx, 0);
    const int id = engine.Timers().Add(MonotonicMs(), delay, repeat,
                                       isFunction ? std::string() : StringOf(ctx, 0));
    if (id == 0) {
      error = engine.Timers().Count() >= kMaxTimers
                  ? "a page may have at most " + std::to_string(kMaxTimers) + " timers waiting"
                  : "the timers given as text may hold at most " + std::to_string(kMaxTimerTextBytes / (1024 * 1024)) +
                        " MB of text together";
      return 0;
    }
    if (isFunction) {
      PushStashObject(ctx, kTimersKey);
      duk_push_array(ctx);
      duk_dup(ctx, 0);
      duk_put_prop_index(ctx, -2, 0);
      for (duk_idx_t i = 2; i < count; ++i) {
        duk_dup(ctx, i);
        duk_put_prop_index(ctx, -2, static_cast<duk_uarridx_t>(i - 1));
      }
      duk_put_prop_index(ctx, -2, static_cast<duk_uarridx_t>(id));
      duk_pop(ctx);
    }
    duk_push_int(ctx, id);
    return 1;
  });
}

duk_ret_t SetTimeout(duk_context* ctx) { return AddTimer(ctx, false); }
duk_ret_t SetInterval(duk_context* ctx) { return AddTimer(ctx, true); }

duk_ret_t ClearTimer(duk_context* ctx)
{
  return Guarded(ctx, [ctx](std::string&) {
    if (!duk_is_number(ctx, 0)) return 0;
    const int id = duk_get_int(ctx, 0);
    EngineOf(ctx).Timers().Remove(id);
    PushStashObject(ctx, kTimersKey);
    duk_del_prop_index(ctx, -1, static_cast<duk_uarridx_t>(id));
    duk_pop(ctx);
    return 0;
  });
}

// ---- document, location, history

duk_ret_t GetTitle(duk_context* ctx)
{
  return Guarded(ctx, [ctx](std::string&) {
    const std::string title = EngineOf(ctx).Host().Title();
    duk_push_lstring(ctx, title.data(), title.size());
    return 1;
  });
}

duk_ret_t SetTitle(duk_context* ctx)
{
  return Guarded(ctx, [ctx](std::string&) {
    EngineOf(ctx).Host().SetTitle(StringOf(ctx, 0));
    return 0;
  });
}

duk_ret_t GetElementById(duk_context* ctx)
{
  return Guarded(ctx, [ctx](std::string&) {
    const std::string id = StringOf(ctx, 0);
    PushStashObject(ctx, kElementsKey);
    if (!duk_get_prop_lstring(ctx, -1, id.data(), id.size())) {
      duk_pop(ctx);
      duk_push_null(ctx);
    }
    duk_remove(ctx, -2);
    return 1;
  });
}

duk_ret_t GetHref(duk_context* ctx)
{
  return Guarded(ctx, [ctx](std::string&) {
    const std::string location = EngineOf(ctx).Host().Location();
    duk_push_lstring(ctx, location.data(), location.size());
    return 1;
  });
}

duk_ret_t SetHref(duk_context* ctx)
{
  return Guarded(ctx, [ctx](std::string&) {
    EngineOf(ctx).Host().NavigateLater(StringOf(ctx, 0));
    return 0;
  });
}

duk_ret_t GetLocationObject(duk_context* ctx)
{
  PushStashObject(ctx, kLocationKey);
  return 1;
}

duk_ret_t HistoryMove(duk_context* ctx, int delta)
{
  return Guarded(ctx, [ctx, delta](std::string&) {
    EngineOf(ctx).Host().HistoryLater(delta);
    return 0;
  });
}

duk_ret_t HistoryForward(duk_context* ctx) { return HistoryMove(ctx, 1); }
duk_ret_t HistoryBack(duk_context* ctx) { return HistoryMove(ctx, -1); }
duk_ret_t HistoryGo(duk_context* ctx)
{
  return HistoryMove(ctx, duk_is_number(ctx, 0) ? duk_get_int(ctx, 0) : 0);
}

// ---- elements and controls

duk_ret_t GetAttribute(duk_context* ctx)
{
  return Guarded(ctx, [ctx](std::string&) {
    duk_push_this(ctx);
    duk_get_prop_string(ctx, -1, kNodeKey);
    const auto* node = static_cast<const Node*>(duk_get_pointer(ctx, -1));
    duk_pop_2(ctx);
    const std::string* value = node != nullptr ? node->Attribute(StringOf(ctx, 0)) : nullptr;
    if (value == nullptr) duk_push_null(ctx);
    else duk_push_lstring(ctx, value->data(), value->size());
    return 1;
  });
}

win::COleControlObject* ControlOfTarget(duk_context* ctx, duk_idx_t target, std::size_t& index)
{
  duk_get_prop_string(ctx, target, kObjectKey);
  index = static_cast<std::size_t>(duk_get_uint(ctx, -1));
  duk_pop(ctx);
  return EngineOf(ctx).Host().ControlAt(index);
}

duk_ret_t CallControlMethod(duk_context* ctx)
{
  return Guarded(ctx, [ctx](std::string& error) {
    const duk_idx_t count = duk_get_top(ctx);
    duk_push_current_function(ctx);
    std::size_t index = 0;
    win::COleControlObject* control = ControlOfTarget(ctx, -1, index);
    duk_get_prop_string(ctx, -1, kDispidKey);
    const auto dispid = static_cast<win::DISPID>(duk_get_int(ctx, -1));
    duk_pop_2(ctx);
    if (control == nullptr) {
      error = "the control is gone";
      return 0;
    }
    std::vector<win::COleVariant> args;
    for (duk_idx_t i = 0; i < count; ++i) args.push_back(VariantOf(ctx, i));
    win::COleVariant result;
    win::HRESULT hr = win::S_OK;
    {
      const ScriptEngine::HostCall inControl(EngineOf(ctx));
      hr = control->Dispatch().CallMethod(dispid, args, result);
    }
    if (win::FAILED(hr)) {
      const win::DispatchEntry* entry = control->Dispatch().Find(dispid);
      error = AutomationErrorText(hr, entry != nullptr ? entry->name : "method");
      return 0;
    }
    PushVariant(ctx, result);
    return 1;
  });
}

// Proxy trap get(target, key, receiver).
duk_ret_t ControlGet(duk_context* ctx)
{
  return Guarded(ctx, [ctx](std::string& error) {
    std::size_t index = 0;
    win::COleControlObject* control = ControlOfTarget(ctx, 0, index);
    if (control != nullptr && duk_is_string(ctx, 1) && !duk_is_symbol(ctx, 1)) {
      const std::string name = duk_get_string(ctx, 1);
      if (const auto dispid = control->Dispatch().FindName(name)) {
        const win::DispatchEntry* entry = control->Dispatch().Find(*dispid);
        if (entry->kind == win::DispatchEntry::Kind::Method) {
          duk_push_c_function(ctx, &CallControlMethod, DUK_VARARGS);
          duk_push_uint(ctx, static_cast<duk_uint_t>(index));
          duk_put_prop_string(ctx, -2, kObjectKey);
          duk_push_int(ctx, *dispid);
          duk_put_prop_string(ctx, -2, kDispidKey);
          return 1;
        }
        win::COleVariant value;
        if (const win::HRESULT hr = control->Dispatch().GetProperty(*dispid, value); win::FAILED(hr)) {
          error = AutomationErrorText(hr, entry->name);
          return 0;
        }
        PushVariant(ctx, value);
        return 1;
      }
    }
    // Anything else (toString, valueOf, ...) as an ordinary object answers it.
    duk_dup(ctx, 1);
    duk_get_prop(ctx, 0);
    return 1;
  });
}

// Proxy trap set(target, key, value, receiver).
duk_ret_t ControlSet(duk_context* ctx)
{
  return Guarded(ctx, [ctx](std::string& error) {
    std::size_t index = 0;
    win::COleControlObject* control = ControlOfTarget(ctx, 0, index);
    const std::string name = StringOf(ctx, 1);
    if (control == nullptr) {
      error = "the control is gone: " + name;
      return 0;
    }
    const auto dispid = control->Dispatch().FindName(name);
    if (!dispid) {
      error = AutomationErrorText(win::DISP_E_MEMBERNOTFOUND, name);
      return 0;
    }
    const win::COleVariant value = VariantOf(ctx, 2);
    win::HRESULT hr = win::S_OK;
    {
      const ScriptEngine::HostCall inControl(EngineOf(ctx));
      hr = control->Dispatch().SetProperty(*dispid, value);
    }
    if (win::FAILED(hr)) {
      error = AutomationErrorText(hr, name);
      return 0;
    }
    duk_push_true(ctx);
    return 1;
  });
}

void PutFunction(duk_context* ctx, duk_idx_t object, const char* name, duk_c_function fn, duk_idx_t args)
{
  duk_push_c_function(ctx, fn, args);
  duk_put_prop_string(ctx, object < 0 ? object - 1 : object, name);
}

void DefineAccessor(duk_context* ctx, duk_idx_t object, const char* name, duk_c_function get, duk_c_function set)
{
  object = duk_normalize_index(ctx, object);
  duk_push_string(ctx, name);
  duk_push_c_function(ctx, get, 0);
  duk_push_c_function(ctx, set, 1);
  duk_def_prop(ctx, object, DUK_DEFPROP_HAVE_GETTER | DUK_DEFPROP_HAVE_SETTER | DUK_DEFPROP_SET_CONFIGURABLE);
}

// [error] -> its line number.
duk_ret_t LineNumberOf(duk_context* ctx, void*)
{
  duk_get_prop_string(ctx, -1, "lineNumber");
  return 1;
}

// Functions run by duk_safe_call see the caller's whole stack: their arguments are on its top.

// [name] -> the global of that name (a page's getter may throw; callers run this protected).
duk_ret_t GlobalNamed(duk_context* ctx, void*)
{
  duk_push_global_object(ctx);
  duk_dup(ctx, -2);
  duk_get_prop(ctx, -2);
  return 1;
}

// Pushes the global `name`, or undefined when reading it fails.
void PushGlobalSafely(duk_context* ctx, std::string_view name)
{
  duk_push_lstring(ctx, name.data(), name.size());
  if (duk_safe_call(ctx, &GlobalNamed, nullptr, 1, 1) != DUK_EXEC_SUCCESS) {
    duk_pop(ctx);
    duk_push_undefined(ctx);
  }
}

// [element id] -> elements[id], document.all[id], and the global named id when it is free.
duk_ret_t PublishElement(duk_context* ctx, void*)
{
  const duk_idx_t key = duk_normalize_index(ctx, -1);
  const duk_idx_t element = duk_normalize_index(ctx, -2);
  for (const char* table : {kElementsKey, kAllKey}) {
    PushStashObject(ctx, table);
    duk_dup(ctx, key);
    duk_dup(ctx, element);
    duk_put_prop(ctx, -3);
    duk_pop(ctx);
  }
  duk_push_global_object(ctx);
  duk_dup(ctx, key);
  if (!duk_has_prop(ctx, -2)) {
    duk_dup(ctx, key);
    duk_dup(ctx, element);
    duk_put_prop(ctx, -3);
  }
  duk_pop(ctx);
  return 0;
}

// window.location = "..." navigates as location.href does.
duk_ret_t SetLocationObject(duk_context* ctx) { return SetHref(ctx); }

// The engine's allocator: its heap's user data is the engine.
void* AllocateInHeap(void* engine, duk_size_t size)
{
  return static_cast<ScriptEngine*>(engine)->Heap().Allocate(size);
}

void* ReallocateInHeap(void* engine, void* block, duk_size_t size)
{
  return static_cast<ScriptEngine*>(engine)->Heap().Reallocate(block, size);
}

void FreeInHeap(void* engine, void* block)
{
  static_cast<ScriptEngine*>(engine)->Heap().Free(block);
}

[[noreturn]] void Fatal(void*, const char* message)
{
  win::OutputDebugStringA(std::string("Script engine failure: ") + (message ? message : ""));
  std::abort();
}

}  // namespace

ScriptEngine::ScriptEngine(ScriptHost& host, std::chrono::milliseconds timeLimit)
    : m_host(host), m_timeLimit(timeLimit)
{
  m_ctx = duk_create_heap(&AllocateInHeap, &ReallocateInHeap, &FreeInHeap, this, &Fatal);
  if (m_ctx == nullptr) throw std::bad_alloc();
  InstallGlobals();
}

ScriptEngine::~ScriptEngine()
{
  duk_destroy_heap(m_ctx);
}

void ScriptEngine::InstallGlobals()
{
  duk_context* ctx = m_ctx;
  duk_push_global_stash(ctx);
  duk_push_pointer(ctx, this);
  duk_put_prop_string(ctx, -2, kEngineKey);
  for (const char* key : {kTimersKey, kElementsKey, kHandlersKey}) {
    duk_push_object(ctx);
    duk_put_prop_string(ctx, -2, key);
  }
  duk_push_object(ctx);  // location
  DefineAccessor(ctx, -1, "href", &GetHref, &SetHref);
  PutFunction(ctx, -1, "toString", &GetHref, 0);
  duk_put_prop_string(ctx, -2, kLocationKey);
  duk_pop(ctx);

  duk_push_global_object(ctx);
  duk_push_global_object(ctx);
  duk_put_prop_string(ctx, -2, "window");
  PutFunction(ctx, -1, "alert", &Alert, 1);
  PutFunction(ctx, -1, "setTimeout", &SetTimeout, DUK_VARARGS);
  PutFunction(ctx, -1, "setInterval", &SetInterval, DUK_VARARGS);
  PutFunction(ctx, -1, "clearTimeout", &ClearTimer, 1);
  PutFunction(ctx, -1, "clearInterval", &ClearTimer, 1);
  DefineAccessor(ctx, -1, "location", &GetLocationObject, &SetLocationObject);

  duk_push_object(ctx);  // document
  DefineAccessor(ctx, -1, "title", &GetTitle, &SetTitle);
  DefineAccessor(ctx, -1, "location", &GetLocationObject, &SetLocationObject);
  PutFunction(ctx, -1, "getElementById", &GetElementById, 1);
  duk_push_object(ctx);
  duk_push_global_stash(ctx);
  duk_dup(ctx, -2);
  duk_put_prop_string(ctx, -2, kAllKey);
  duk_pop(ctx);
  duk_put_prop_string(ctx, -2, "all");
  duk_put_prop_string(ctx, -2, "document");

  duk_push_object(ctx);  // history
  PutFunction(ctx, -1, "forward", &HistoryForward, 0);
  PutFunction(ctx, -1, "back", &HistoryBack, 0);
  PutFunction(ctx, -1, "go", &HistoryGo, 1);
  duk_put_prop_string(ctx, -2, "history");
  duk_pop(ctx);
}

void ScriptEngine::Enter()
{
  m_heap.SetScriptRunning(true);
  if (m_depth++ == 0) {
    m_overdue = false;
    m_paused = false;
    m_allowed = m_turnLeft ? std::min<std::chrono::steady_clock::duration>(m_timeLimit, *m_turnLeft) : m_timeLimit;
    m_deadline = std::chrono::steady_clock::now() + m_allowed;
    return;
  }
  ResumeClock();  // a control or message box runs page script again
}

void ScriptEngine::Leave()
{
  --m_depth;
  // Back in the host, or in the control or message box that ran this script: neither the time
  // nor the memory it takes there is the script's.
  const bool inHostCall = m_depth > 0 && m_hostCalls > 0;
  m_heap.SetScriptRunning(m_depth > 0 && !inHostCall);
  if (inHostCall) PauseClock();
  if (m_depth == 0 && m_turnLeft) {
    // What the script used of its time (its deadline moved on while it waited on the host).
    const auto left = std::max<std::chrono::steady_clock::duration>(m_deadline - std::chrono::steady_clock::now(), {});
    *m_turnLeft -= std::min(m_allowed - left, *m_turnLeft);
  }
}

bool ScriptEngine::TurnSpent() const
{
  return m_depth == 0 && m_turnLeft && *m_turnLeft <= std::chrono::steady_clock::duration::zero();
}

bool ScriptEngine::MayStart(std::string_view origin) const
{
  if (!TurnSpent()) return true;
  win::OutputDebugStringA(Cp949("Script error (" + std::string(origin) + "): the page's scripts have run too long\r\n"));
  return false;
}

ScriptEngine::Turn::Turn(ScriptEngine& engine) : m_engine(engine), m_outermost(!engine.m_turnLeft)
{
  if (m_outermost) m_engine.m_turnLeft = 2 * m_engine.m_timeLimit;
}

ScriptEngine::Turn::~Turn()
{
  if (m_outermost) m_engine.m_turnLeft.reset();
}

void ScriptEngine::PauseClock()
{
  m_paused = true;
  m_pausedAt = std::chrono::steady_clock::now();
}

void ScriptEngine::ResumeClock()
{
  if (!m_paused) return;
  m_deadline += std::chrono::steady_clock::now() - m_pausedAt;
  m_paused = false;
}

ScriptEngine::HostCall::HostCall(ScriptEngine& engine) : m_engine(engine)
{
  ++m_engine.m_hostCalls;
  m_engine.PauseClock();
  m_engine.m_heap.SetScriptRunning(false);
}

ScriptEngine::HostCall::~HostCall()
{
  m_engine.m_heap.SetScriptRunning(true);
  m_engine.ResumeClock();
  --m_engine.m_hostCalls;
}

bool ScriptEngine::Overdue()
{
  if (!m_overdue && !m_paused && m_depth > 0 && std::chrono::steady_clock::now() > m_deadline) {
    m_overdue = true;
  }
  return m_overdue;
}

void ScriptEngine::ReportError(std::string_view origin)
{
  std::string where(origin);
  if (duk_is_error(m_ctx, -1)) {
    duk_dup(m_ctx, -1);
    if (duk_safe_call(m_ctx, &LineNumberOf, nullptr, 1, 1) == DUK_EXEC_SUCCESS && duk_is_number(m_ctx, -1)) {
      where += ", line " + std::to_string(duk_get_int(m_ctx, -1));
    }
    duk_pop(m_ctx);
  }
  const std::string message = StringOf(m_ctx, -1);
  win::OutputDebugStringA(Cp949("Script error (" + where + "): " + message + "\r\n"));
}

bool ScriptEngine::CallProtected(int argumentCount, std::string_view origin)
{
  if (!MayStart(origin)) {
    duk_pop_n(m_ctx, argumentCount + 2);  // the function, its this and its arguments
    return false;
  }
  Enter();
  const bool ok = duk_pcall_method(m_ctx, argumentCount) == DUK_EXEC_SUCCESS;
  if (!ok) ReportError(origin);
  duk_pop(m_ctx);
  Leave();
  return ok;
}

bool ScriptEngine::Run(std::string_view code, std::string_view origin)
{
  if (!MayStart(origin)) return false;
  RewrittenScript script = RewriteEventHandlers(code);
  AddNamedEventHandlers(script.handlers);
  Enter();
  duk_push_lstring(m_ctx, script.code.data(), script.code.size());
  duk_push_lstring(m_ctx, origin.data(), origin.size());
  bool ok = duk_pcompile(m_ctx, 0) == DUK_EXEC_SUCCESS;
  if (ok) ok = duk_pcall(m_ctx, 0) == DUK_EXEC_SUCCESS;
  if (!ok) ReportError(origin);
  duk_pop(m_ctx);
  Leave();
  return ok;
}

void ScriptEngine::BindElement(const Node& element)
{
  const std::string id = element.AttributeOr("id");
  if (id.empty()) return;
  duk_context* ctx = m_ctx;
  duk_push_object(ctx);
  duk_push_pointer(ctx, const_cast<Node*>(&element));
  duk_put_prop_string(ctx, -2, kNodeKey);
  duk_push_lstring(ctx, id.data(), id.size());
  duk_put_prop_string(ctx, -2, "id");
  const std::string tag = ToUpperAscii(element.tag);
  duk_push_lstring(ctx, tag.data(), tag.size());
  duk_put_prop_string(ctx, -2, "tagName");
  PutFunction(ctx, -1, "getAttribute", &GetAttribute, 1);

  Publish(id);
}

void ScriptEngine::BindControl(const Node& element, std::size_t index)
{
  const std::string id = element.AttributeOr("id");
  if (id.empty()) return;
  duk_context* ctx = m_ctx;
  duk_push_object(ctx);  // target
  duk_push_uint(ctx, static_cast<duk_uint_t>(index));
  duk_put_prop_string(ctx, -2, kObjectKey);
  duk_push_object(ctx);  // handler
  PutFunction(ctx, -1, "get", &ControlGet, 3);
  PutFunction(ctx, -1, "set", &ControlSet, 4);
  duk_push_proxy(ctx, 0);
  Publish(id);
}

// [element] -> into the elements table, document.all and the globals.
void ScriptEngine::Publish(const std::string& id)
{
  duk_push_lstring(m_ctx, id.data(), id.size());
  // A page's script may have made the global object refuse new names; that fails here, safely.
  if (duk_safe_call(m_ctx, &PublishElement, nullptr, 2, 1) != DUK_EXEC_SUCCESS) {
    ReportError("element " + id);
  }
  duk_pop(m_ctx);
}

bool ScriptEngine::AddEventHandler(std::string_view elementId, std::string_view eventName,
                                   std::string_view parameters, std::string_view body)
{
  const std::string origin = "event " + std::string(elementId) + "." + std::string(eventName);
  const RewrittenScript script = RewriteEventHandlers(body);
  AddNamedEventHandlers(script.handlers);
  const std::string source = "function (" + std::string(parameters) + ") {\n" + script.code + "\n}";
  duk_push_lstring(m_ctx, source.data(), source.size());
  duk_push_lstring(m_ctx, origin.data(), origin.size());
  if (duk_pcompile(m_ctx, DUK_COMPILE_FUNCTION) != DUK_EXEC_SUCCESS) {
    ReportError(origin);
    duk_pop(m_ctx);
    return false;
  }
  const std::string key = LowerKey(elementId, eventName);
  PushStashObject(m_ctx, kHandlersKey);
  if (!duk_get_prop_lstring(m_ctx, -1, key.data(), key.size())) {
    duk_pop(m_ctx);
    duk_push_array(m_ctx);
    duk_dup(m_ctx, -1);
    duk_put_prop_lstring(m_ctx, -3, key.data(), key.size());
  }
  // [function handlers list]
  duk_dup(m_ctx, -3);
  duk_put_prop_index(m_ctx, -2, static_cast<duk_uarridx_t>(duk_get_length(m_ctx, -2)));
  duk_pop_3(m_ctx);
  return true;
}

void ScriptEngine::AddNamedEventHandlers(const std::vector<NamedEventHandler>& handlers)
{
  for (const NamedEventHandler& handler : handlers) {
    const bool known = std::ranges::any_of(m_namedHandlers, [&](const NamedEventHandler& h) {
      return h.functionName == handler.functionName;
    });
    if (!known) m_namedHandlers.push_back(handler);
  }
}

void ScriptEngine::DispatchEvent(std::string_view elementId, std::string_view eventName,
                                 std::span<const win::COleVariant> args)
{
  const std::string origin = "event " + std::string(elementId) + "." + std::string(eventName);
  if (m_depth >= kMaxScriptNesting) {
    win::OutputDebugStringA(Cp949("Script error (" + origin + "): events nested too deeply\r\n"));
    return;
  }
  const Turn turn(*this);
  const std::string key = LowerKey(elementId, eventName);
  auto pushCall = [&](duk_idx_t function) {
    duk_dup(m_ctx, function);
    duk_push_global_object(m_ctx);
    for (const win::COleVariant& arg : args) PushVariant(m_ctx, arg);
    CallProtected(static_cast<int>(args.size()), origin);
  };

  PushStashObject(m_ctx, kHandlersKey);
  if (duk_get_prop_lstring(m_ctx, -1, key.data(), key.size())) {
    const auto count = duk_get_length(m_ctx, -1);
    for (duk_size_t i = 0; i < count; ++i) {
      duk_get_prop_index(m_ctx, -1, static_cast<duk_uarridx_t>(i));
      pushCall(-1);
      duk_pop(m_ctx);
    }
  }
  duk_pop_2(m_ctx);

  const std::vector<NamedEventHandler> named = m_namedHandlers;  // handlers may add more
  for (const NamedEventHandler& handler : named) {
    if (!EqualsNoCase(handler.elementId, elementId) || !EqualsNoCase(handler.eventName, eventName)) continue;
    PushGlobalSafely(m_ctx, handler.functionName);
    if (duk_is_function(m_ctx, -1)) pushCall(-1);
    duk_pop(m_ctx);
  }
}

void ScriptEngine::RunInlineHandler(std::string_view code, std::string_view windowProperty,
                                    std::string_view origin)
{
  if (!code.empty()) {
    const std::string source = "function () {\n" + std::string(code) + "\n}";
    duk_push_lstring(m_ctx, source.data(), source.size());
    duk_push_lstring(m_ctx, origin.data(), origin.size());
    if (duk_pcompile(m_ctx, DUK_COMPILE_FUNCTION) != DUK_EXEC_SUCCESS) {
      ReportError(origin);
      duk_pop(m_ctx);
      return;
    }
    duk_push_global_object(m_ctx);
    CallProtected(0, origin);
    return;
  }
  PushGlobalSafely(m_ctx, windowProperty);
  if (duk_is_function(m_ctx, -1)) {
    duk_push_global_object(m_ctx);
    CallProtected(0, origin);
  } else {
    duk_pop(m_ctx);
  }
}

void ScriptEngine::RunTimer(const ScriptTimer& timer)
{
  if (!timer.code.empty()) {
    Run(timer.code, "timer");
    return;
  }
  PushStashObject(m_ctx, kTimersKey);
  if (duk_get_prop_index(m_ctx, -1, static_cast<duk_uarridx_t>(timer.id))) {
    const auto count = static_cast<duk_idx_t>(duk_get_length(m_ctx, -1));
    duk_get_prop_index(m_ctx, -1, 0);
    duk_push_global_object(m_ctx);
    for (duk_idx_t i = 1; i < count; ++i) duk_get_prop_index(m_ctx, -2 - i, static_cast<duk_uarridx_t>(i));
    CallProtected(count - 1, "timer");
  }
  duk_pop(m_ctx);
  if (!timer.repeat || !m_timers.Contains(timer.id)) {
    duk_del_prop_index(m_ctx, -1, static_cast<duk_uarridx_t>(timer.id));
  }
  duk_pop(m_ctx);
}

void ScriptEngine::RunDueTimers(std::uint64_t now)
{
  const Turn turn(*this);
  for (int runs = 0; runs < kMaxTimerRunsPerPump && !TurnSpent(); ++runs) {
    const auto timer = m_timers.TakeDue(now);
    if (!timer) return;
    RunTimer(*timer);
  }
}

}  // namespace vetra::web

// The engine's question between instructions (its heap's user data is the engine).
extern "C" int vetra_web_script_overdue(void* udata)
{
  return udata != nullptr && static_cast<vetra::web::ScriptEngine*>(udata)->Overdue() ? 1 : 0;
}
