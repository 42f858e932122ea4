// The window tree: the handle table, window classes, creation and
// destruction, window data (long values, extra slots, properties, text) and
// the tree relations.
//
// Creation sends WM_NCCREATE, WM_CREATE, WM_SIZE and WM_MOVE, then shows the
// window when it was created with WS_VISIBLE. Destruction destroys the owned
// windows first, then sends WM_DESTROY to the window and its descendants
// (parents first) and WM_NCDESTROY to the descendants before the window
// (children first); each window leaves the handle table after its
// WM_NCDESTROY, so its handle stops being a window at that moment.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

#include "platform/GdiSurface.h"
#include "platform/Menu.h"
#include "platform/WindowCore.h"

namespace platform {

namespace {

bool SameName(const std::string& a, const char* b) {
  if (b == nullptr || a.size() != std::strlen(b)) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

std::shared_ptr<WindowClass> FindClassLocked(const char* name) {
  for (auto& windowClass : TheCore().classes)
    if (SameName(windowClass->name, name)) return windowClass;
  return nullptr;
}

// Detaches a window (and its descendants) from the tree and the handle table;
// the handles are collected for the presenter.
void RemoveLocked(Window& window, std::vector<HWND>& removedTopLevels,
                  std::vector<HDC>& ownDcs, std::vector<cairo_surface_t*>& surfaces) {
  Core& core = TheCore();
  for (Window* child : std::vector<Window*>(window.children))
    RemoveLocked(*child, removedTopLevels, ownDcs, surfaces);
  if (window.parent != nullptr) {
    auto& siblings = window.parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), &window), siblings.end());
  } else {
    core.topLevels.erase(std::remove(core.topLevels.begin(), core.topLevels.end(), &window),
                         core.topLevels.end());
    removedTopLevels.push_back(window.handle);
  }
  for (auto& [handle, other] : core.windows)
    if (other->owner == &window) other->owner = nullptr;
  ThreadQueue& queue = *window.queue;
  auto& timers = queue.timers;
  timers.erase(std::remove_if(timers.begin(), timers.end(),
                              [&](const Timer& timer) { return timer.window == window.handle; }),
               timers.end());
  // A key typed ahead stays: it goes to the window that has the focus when
  // it is read (the window it was typed into, a message box that Return
  // closes, may be gone by then).
  queue.posted.erase(std::remove_if(queue.posted.begin(), queue.posted.end(),
                                    [&](const PostedMessage& m) { return m.hwnd == window.handle && !m.keyboard; }),
                     queue.posted.end());
  if (queue.focus == window.handle) queue.focus = nullptr;
  if (queue.active == window.handle) queue.active = nullptr;
  if (queue.capture == window.handle) queue.capture = nullptr;
  if (queue.caret.window == window.handle) queue.caret = Caret{};
  if (core.foreground == window.handle) core.foreground = nullptr;
  if (core.lastClickWindow == window.handle) core.lastClickWindow = nullptr;
  if (window.ownDc != nullptr) ownDcs.push_back(window.ownDc);
  if (window.surface != nullptr) surfaces.push_back(window.surface);
  window.ownDc = nullptr;
  window.surface = nullptr;
  core.windows.erase(reinterpret_cast<std::uintptr_t>(window.handle));
}

void FinishRemoval(const std::vector<HWND>& topLevels, const std::vector<HDC>& ownDcs,
                   const std::vector<cairo_surface_t*>& surfaces) {
  for (HDC dc : ownDcs) DestroySurfaceDc(dc);
  for (cairo_surface_t* surface : surfaces) cairo_surface_destroy(surface);
  if (Presenter* presenter = ThePresenter())
    for (HWND handle : topLevels) presenter->WindowDestroyed(handle);
}

std::vector<HWND> ChildHandlesLocked(HWND handle) {
  std::vector<HWND> result;
  if (Window* window = Find(handle))
    for (Window* child : window->children) result.push_back(child->handle);
  return result;
}

void SendDestroyTree(HWND handle) {
  {
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(handle);
    if (window == nullptr) return;
    window->destroying = true;
  }
  CallProcedure(handle, WM_DESTROY, 0, 0);
  std::vector<HWND> children;
  {
    std::lock_guard guard(TheCore().lock);
    children = ChildHandlesLocked(handle);
  }
  for (HWND child : children) SendDestroyTree(child);
}

void SendNcDestroyTree(HWND handle) {
  std::vector<HWND> children;
  {
    std::lock_guard guard(TheCore().lock);
    children = ChildHandlesLocked(handle);
  }
  for (HWND child : children) SendNcDestroyTree(child);
  CallProcedure(handle, WM_NCDESTROY, 0, 0);
  std::vector<HWND> topLevels;
  std::vector<HDC> ownDcs;
  std::vector<cairo_surface_t*> surfaces;
  {
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(handle);
    if (window == nullptr) return;
    RemoveLocked(*window, topLevels, ownDcs, surfaces);
  }
  FinishRemoval(topLevels, ownDcs, surfaces);
}

RECT DefaultTopLevelRect(int x, int y, int width, int height) {
  SIZE screen = TheCore().presenter ? TheCore().presenter->ScreenSize() : SIZE{1280, 1024};
  if (x == CW_USEDEFAULT) {
    x = screen.cx / 8;
    y = screen.cy / 8;
  }
  if (width == CW_USEDEFAULT) {
    width = screen.cx * 3 / 4;
    height = screen.cy * 3 / 4;
  }
  return RECT{x, y, x + std::max(width, 0), y + std::max(height, 0)};
}

// A top-level window takes the menu it was created with, or its class's.
void AttachMenu(HWND handle, const CREATESTRUCT& create) {
  HMENU menu = create.hMenu;
  if (menu == nullptr) {
    std::string name;
    HINSTANCE instance = nullptr;
    {
      std::lock_guard guard(TheCore().lock);
      Window* window = Find(handle);
      if (window == nullptr) return;
      name = window->windowClass->menuName;
      instance = window->windowClass->instance;
    }
    if (!name.empty()) menu = LoadMenu(instance, name.c_str());
  }
  if (menu != nullptr) SetMenu(handle, menu);
}

thread_local bool creatingModal = false;

// Own context, presenter window, the creation messages and the first show.
void FinishCreation(HWND handle, CREATESTRUCT& create) {
  bool topLevel = false;
  WindowRole role;
  RECT screenRect{};
  std::string title;
  {
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(handle);
    if (window == nullptr) return;
    topLevel = !window->IsChild();
    const bool popup = (window->style & WS_POPUP) != 0;
    role.unmanaged = popup && (window->style & WS_CAPTION) != WS_CAPTION;
    role.dialog = popup && !role.unmanaged;
    role.modal = role.dialog && creatingModal;
    role.owner = window->owner != nullptr ? window->owner->handle : nullptr;
    role.sizable = (window->style & WS_THICKFRAME) != 0;
    role.minimizable = (window->style & WS_MINIMIZEBOX) != 0;
    role.maximizable = (window->style & WS_MAXIMIZEBOX) != 0;
    screenRect = window->rect;
    title = window->text;
    if ((window->windowClass->style & CS_OWNDC) != 0) {
      Window* top = TopLevelOf(window);
      window->ownDc = CreateSurfaceDc(top->surface, ClientOriginOnSurface(*window),
                                      ClientClipOnSurface(*window), handle);
    }
  }
  if (topLevel)
    if (Presenter* presenter = ThePresenter()) presenter->WindowCreated(handle, screenRect, title, role);
  if (topLevel) AttachMenu(handle, create);
  if (CallProcedure(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create)) == FALSE) {
    SendNcDestroyTree(handle);
    return;
  }
  if (CallProcedure(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
    DestroyWindow(handle);
    return;
  }
  {
    std::lock_guard guard(TheCore().lock);
    if (Window* window = Find(handle)) window->creating = false;
  }
  RECT client{};
  GetClientRect(handle, &client);
  CallProcedure(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(static_cast<unsigned>(client.right),
                                                           static_cast<unsigned>(client.bottom)));
  POINT origin{0, 0};
  {
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(handle);
    if (window == nullptr) return;
    RECT insets = NonClientInsets(*window);
    origin = POINT{window->rect.left + insets.left, window->rect.top + insets.top};
  }
  CallProcedure(handle, WM_MOVE, 0, MAKELPARAM(static_cast<unsigned>(origin.x),
                                               static_cast<unsigned>(origin.y)));
  if ((static_cast<DWORD>(create.style) & WS_VISIBLE) != 0)
    ShowWindow(handle, (static_cast<DWORD>(create.style) & WS_MAXIMIZE) != 0 ? SW_SHOWMAXIMIZED
                                                                           : SW_SHOW);
}

}  // namespace

void CreateModalWindows(bool modal) { creatingModal = modal; }

Window* Find(HWND handle) {
  auto& windows = TheCore().windows;
  auto found = windows.find(reinterpret_cast<std::uintptr_t>(handle));
  return found == windows.end() ? nullptr : found->second.get();
}

std::shared_ptr<Window> FindShared(HWND handle) {
  auto& windows = TheCore().windows;
  auto found = windows.find(reinterpret_cast<std::uintptr_t>(handle));
  return found == windows.end() ? nullptr : found->second;
}

void EnsureStarted() {
  Core& core = TheCore();
  {
    std::lock_guard guard(core.lock);
    if (core.started) return;
  }
  const char* forced = std::getenv("QUORVEL_DISPLAY");
  const char* display = std::getenv("DISPLAY");
  bool headless = (forced != nullptr && std::strcmp(forced, "headless") == 0) ||
                  display == nullptr || *display == '\0';
  std::unique_ptr<Presenter> presenter = headless ? MakeHeadlessPresenter() : MakeX11Presenter();
  std::lock_guard guard(core.lock);
  if (core.started) return;  // another thread won; ours is dropped
  core.presenter = std::move(presenter);
  core.started = true;
}

Presenter* ThePresenter() {
  std::lock_guard guard(TheCore().lock);
  return TheCore().presenter.get();
}

void DestroyThreadWindows(ThreadQueue& queue) {
  std::vector<HWND> topLevels;
  std::vector<HDC> ownDcs;
  std::vector<cairo_surface_t*> surfaces;
  {
    Core& core = TheCore();
    std::lock_guard guard(core.lock);
    for (Window* window : std::vector<Window*>(core.topLevels))
      if (window->queue.get() == &queue) RemoveLocked(*window, topLevels, ownDcs, surfaces);
    std::vector<Window*> orphans;
    for (auto& [key, window] : core.windows)
      if (window->queue.get() == &queue) orphans.push_back(window.get());
    for (Window* window : orphans)
      if (Find(window->handle) != nullptr) RemoveLocked(*window, topLevels, ownDcs, surfaces);
  }
  FinishRemoval(topLevels, ownDcs, surfaces);
}

Window* TopLevelOf(Window* window) {
  while (window != nullptr && window->IsChild()) window = window->parent;
  return window;
}

}  // namespace platform

using namespace platform;

ATOM RegisterClassEx(const WNDCLASSEX* source) {
  if (source == nullptr || source->lpszClassName == nullptr || source->lpfnWndProc == nullptr)
    return 0;
  std::lock_guard guard(TheCore().lock);
  if (FindClassLocked(source->lpszClassName) != nullptr) return 0;
  auto windowClass = std::make_shared<WindowClass>();
  windowClass->name = source->lpszClassName;
  windowClass->style = source->style;
  windowClass->procedure = source->lpfnWndProc;
  windowClass->windowExtra = std::max(source->cbWndExtra, 0);
  windowClass->instance = source->hInstance;
  windowClass->icon = source->hIcon;
  windowClass->smallIcon = source->hIconSm;
  windowClass->cursor = source->hCursor;
  windowClass->background = source->hbrBackground;
  if (source->lpszMenuName != nullptr && reinterpret_cast<std::uintptr_t>(source->lpszMenuName) > 0xFFFF)
    windowClass->menuName = source->lpszMenuName;
  TheCore().classes.push_back(windowClass);
  return static_cast<ATOM>(0xC000 + TheCore().classes.size());
}

ATOM RegisterClass(const WNDCLASS* source) {
  if (source == nullptr) return 0;
  WNDCLASSEX extended{sizeof(WNDCLASSEX), source->style, source->lpfnWndProc, source->cbClsExtra,
                      source->cbWndExtra, source->hInstance, source->hIcon, source->hCursor,
                      source->hbrBackground, source->lpszMenuName, source->lpszClassName, nullptr};
  return RegisterClassEx(&extended);
}

BOOL UnregisterClass(LPCSTR className, HINSTANCE) {
  Core& core = TheCore();
  std::lock_guard guard(core.lock);
  std::shared_ptr<WindowClass> windowClass = FindClassLocked(className);
  if (windowClass == nullptr) return FALSE;
  for (auto& [key, window] : core.windows)
    if (window->windowClass == windowClass) return FALSE;
  core.classes.erase(std::remove(core.classes.begin(), core.classes.end(), windowClass),
                     core.classes.end());
  return TRUE;
}

BOOL GetClassInfo(HINSTANCE, LPCSTR className, WNDCLASS* result) {
  std::lock_guard guard(TheCore().lock);
  std::shared_ptr<WindowClass> windowClass = FindClassLocked(className);
  if (windowClass == nullptr || result == nullptr) return FALSE;
  *result = WNDCLASS{windowClass->style, windowClass->procedure, 0, windowClass->windowExtra,
                     windowClass->instance, windowClass->icon, windowClass->cursor,
                     windowClass->background, nullptr, className};
  return TRUE;
}

int GetClassName(HWND handle, LPSTR buffer, int size) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  if (window == nullptr || buffer == nullptr || size <= 0) return 0;
  int length = std::min<int>(static_cast<int>(window->windowClass->name.size()), size - 1);
  std::memcpy(buffer, window->windowClass->name.data(), static_cast<std::size_t>(length));
  buffer[length] = '\0';
  return length;
}

UINT_PTR GetClassLongPtr(HWND handle, int index) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  if (window == nullptr) return 0;
  WindowClass& windowClass = *window->windowClass;
  switch (index) {
    case GCLP_HBRBACKGROUND: return reinterpret_cast<UINT_PTR>(windowClass.background);
    case GCLP_HCURSOR: return reinterpret_cast<UINT_PTR>(windowClass.cursor);
    case GCLP_HICON: return reinterpret_cast<UINT_PTR>(windowClass.icon);
    case GCL_STYLE: return windowClass.style;
    default: return 0;
  }
}

UINT_PTR SetClassLongPtr(HWND handle, int index, LONG_PTR value) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  if (window == nullptr) return 0;
  WindowClass& windowClass = *window->windowClass;
  UINT_PTR old = 0;
  switch (index) {
    case GCLP_HBRBACKGROUND:
      old = reinterpret_cast<UINT_PTR>(windowClass.background);
      windowClass.background = reinterpret_cast<HBRUSH>(value);
      break;
    case GCLP_HCURSOR:
      old = reinterpret_cast<UINT_PTR>(windowClass.cursor);
      windowClass.cursor = reinterpret_cast<HCURSOR>(value);
      break;
    case GCLP_HICON:
      old = reinterpret_cast<UINT_PTR>(windowClass.icon);
      windowClass.icon = reinterpret_cast<HICON>(value);
      break;
    case GCL_STYLE:
      old = windowClass.style;
      windowClass.style = static_cast<UINT>(value);
      break;
    default: break;
  }
  return old;
}

HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parentHandle, HMENU menuOrId, HINSTANCE instance,
                    void* parameter) {
  EnsureStarted();
  HWND handle = nullptr;
  CREATESTRUCT create{parameter, instance, menuOrId, parentHandle, 0, 0, 0, 0,
                      static_cast<LONG>(style), windowName, className, exStyle};
  {
    Core& core = TheCore();
    std::lock_guard guard(core.lock);
    std::shared_ptr<WindowClass> windowClass = FindClassLocked(className);
    if (windowClass == nullptr) return nullptr;
    Window* parent = parentHandle != nullptr ? Find(parentHandle) : nullptr;
    if (parentHandle != nullptr && parent == nullptr) return nullptr;
    if ((style & WS_CHILD) != 0 && parent == nullptr) return nullptr;
    auto window = std::make_shared<Window>();
    handle = reinterpret_cast<HWND>(0x100000 + core.nextHandle++ * 16);
    window->handle = handle;
    window->windowClass = windowClass;
    window->procedure = windowClass->procedure;
    window->style = style & ~WS_VISIBLE;
    window->exStyle = exStyle;
    window->text = windowName != nullptr ? windowName : "";
    window->instance = instance;
    window->extra.assign(static_cast<std::size_t>(windowClass->windowExtra / 4), 0);
    window->queue = CurrentQueueLocked();
    if ((style & WS_CHILD) != 0) {
      window->parent = parent;
      window->id = reinterpret_cast<LONG_PTR>(menuOrId);
      int w = width == CW_USEDEFAULT ? 0 : width;
      int h = height == CW_USEDEFAULT ? 0 : height;
      int left = x == CW_USEDEFAULT ? 0 : x;
      int top = y == CW_USEDEFAULT ? 0 : y;
      window->rect = RECT{left, top, left + std::max(w, 0), top + std::max(h, 0)};
      parent->children.push_back(window.get());
    } else {
      window->owner = parent != nullptr ? TopLevelOf(parent) : nullptr;
      window->rect = DefaultTopLevelRect(x, y, width, height);
      core.topLevels.insert(core.topLevels.begin(), window.get());
    }
    window->normalRect = window->rect;
    create.x = window->rect.left;
    create.y = window->rect.top;
    create.cx = window->rect.right - window->rect.left;
    create.cy = window->rect.bottom - window->rect.top;
    core.windows[reinterpret_cast<std::uintptr_t>(handle)] = window;
    if (!window->IsChild()) EnsureSurfaceLocked(*window);
  }
  FinishCreation(handle, create);
  if (!IsWindow(handle)) return nullptr;
  return handle;
}

BOOL IsWindow(HWND handle) {
  std::lock_guard guard(TheCore().lock);
  return Find(handle) != nullptr ? TRUE : FALSE;
}

BOOL DestroyWindow(HWND handle) {
  std::vector<HWND> owned;
  bool visible = false;
  {
    Core& core = TheCore();
    std::lock_guard guard(core.lock);
    Window* window = Find(handle);
    if (window == nullptr || window->destroying) return FALSE;
    if (window->queue != CurrentQueueLocked()) return FALSE;
    for (auto& [key, other] : core.windows)
      if (other->owner == window) owned.push_back(other->handle);
    visible = (window->style & WS_VISIBLE) != 0;
  }
  for (HWND other : owned) DestroyWindow(other);
  {
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(handle);
    if (window == nullptr) return TRUE;
    ThreadQueue& queue = *window->queue;
    for (Window* w = Find(queue.capture); w != nullptr; w = w->parent)
      if (w == window) queue.capture = nullptr;
  }
  if (visible) ShowWindow(handle, SW_HIDE);
  HWND focus = GetFocus();
  if (focus != nullptr && (focus == handle || IsChild(handle, focus))) SetFocus(nullptr);
  SendDestroyTree(handle);
  SendNcDestroyTree(handle);
  return TRUE;
}

LRESULT CallWindowProc(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return procedure != nullptr ? procedure(window, message, wParam, lParam) : 0;
}

LONG_PTR GetWindowLongPtr(HWND handle, int index) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  if (window == nullptr) return 0;
  switch (index) {
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(window->procedure);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(window->instance);
    case GWLP_HWNDPARENT:
      return reinterpret_cast<LONG_PTR>(window->IsChild() ? window->parent->handle
                                        : window->owner != nullptr ? window->owner->handle
                                                                   : nullptr);
    case GWLP_ID: return window->id;
    case GWL_STYLE: return static_cast<LONG_PTR>(window->style);
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(window->exStyle);
    case GWLP_USERDATA: return window->userData;
    default: break;
  }
  if (index < 0 || index % 4 != 0 || static_cast<std::size_t>(index / 4) >= window->extra.size())
    return 0;
  return window->extra[static_cast<std::size_t>(index / 4)];
}

LONG_PTR SetWindowLongPtr(HWND handle, int index, LONG_PTR value) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  if (window == nullptr) return 0;
  LONG_PTR old = 0;
  switch (index) {
    case GWLP_WNDPROC:
      old = reinterpret_cast<LONG_PTR>(window->procedure);
      window->procedure = reinterpret_cast<WNDPROC>(value);
      return old;
    case GWLP_HINSTANCE:
      old = reinterpret_cast<LONG_PTR>(window->instance);
      window->instance = reinterpret_cast<HINSTANCE>(value);
      return old;
    case GWLP_ID:
      old = window->id;
      window->id = value;
      return old;
    case GWL_STYLE:
      // Visibility changes only through ShowWindow.
      old = static_cast<LONG_PTR>(window->style);
      window->style = (static_cast<DWORD>(value) & ~WS_VISIBLE) | (window->style & WS_VISIBLE);
      return old;
    case GWL_EXSTYLE:
      old = static_cast<LONG_PTR>(window->exStyle);
      window->exStyle = static_cast<DWORD>(value);
      return old;
    case GWLP_USERDATA:
      old = window->userData;
      window->userData = value;
      return old;
    default: break;
  }
  if (index < 0 || index % 4 != 0 || static_cast<std::size_t>(index / 4) >= window->extra.size())
    return 0;
  old = window->extra[static_cast<std::size_t>(index / 4)];
  window->extra[static_cast<std::size_t>(index / 4)] = value;
  return old;
}

LONG GetWindowLong(HWND window, int index) {
  return static_cast<LONG>(GetWindowLongPtr(window, index));
}

LONG SetWindowLong(HWND window, int index, LONG value) {
  return static_cast<LONG>(SetWindowLongPtr(window, index, value));
}

BOOL SetProp(HWND handle, LPCSTR name, void* value) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  if (window == nullptr || name == nullptr) return FALSE;
  for (auto& [key, stored] : window->properties)
    if (SameName(key, name)) {
      stored = value;
      return TRUE;
    }
  window->properties.emplace_back(name, value);
  return TRUE;
}

void* GetProp(HWND handle, LPCSTR name) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  if (window == nullptr || name == nullptr) return nullptr;
  for (auto& [key, stored] : window->properties)
    if (SameName(key, name)) return stored;
  return nullptr;
}

void* RemoveProp(HWND handle, LPCSTR name) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  if (window == nullptr || name == nullptr) return nullptr;
  auto& properties = window->properties;
  for (auto entry = properties.begin(); entry != properties.end(); ++entry)
    if (SameName(entry->first, name)) {
      void* value = entry->second;
      properties.erase(entry);
      return value;
    }
  return nullptr;
}

HWND GetParent(HWND handle) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  if (window == nullptr) return nullptr;
  if (window->IsChild()) return window->parent->handle;
  return window->owner != nullptr ? window->owner->handle : nullptr;
}

HWND SetParent(HWND handle, HWND newParent) {
  HWND old = nullptr;
  {
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(handle);
    Window* parent = Find(newParent);
    if (window == nullptr || !window->IsChild() || parent == nullptr) return nullptr;
    for (Window* up = parent; up != nullptr; up = up->parent)
      if (up == window) return nullptr;
    old = window->parent->handle;
    InvalidateLocked(*window->parent, &window->rect, true, false);
    auto& siblings = window->parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
    window->parent = parent;
    parent->children.push_back(window);
    InvalidateLocked(*window, nullptr, true, true);
  }
  return old;
}

HWND GetWindow(HWND handle, UINT relation) {
  Core& core = TheCore();
  std::lock_guard guard(core.lock);
  Window* window = Find(handle);
  if (window == nullptr) return nullptr;
  if (relation == GW_CHILD) return window->children.empty() ? nullptr : window->children.front()->handle;
  if (relation == GW_OWNER) return window->owner != nullptr ? window->owner->handle : nullptr;
  if (relation == GW_ENABLEDPOPUP) {
    for (Window* other : core.topLevels)
      if (other->owner == window && (other->style & WS_VISIBLE) && !(other->style & WS_DISABLED))
        return other->handle;
    return nullptr;
  }
  std::vector<Window*>& siblings = window->IsChild() ? window->parent->children : core.topLevels;
  auto at = std::find(siblings.begin(), siblings.end(), window);
  switch (relation) {
    case GW_HWNDFIRST: return siblings.front()->handle;
    case GW_HWNDLAST: return siblings.back()->handle;
    case GW_HWNDNEXT: return at + 1 != siblings.end() ? (*(at + 1))->handle : nullptr;
    case GW_HWNDPREV: return at != siblings.begin() ? (*(at - 1))->handle : nullptr;
    default: return nullptr;
  }
}

HWND GetAncestor(HWND handle, UINT relation) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  if (window == nullptr) return nullptr;
  if (relation == GA_PARENT) return window->IsChild() ? window->parent->handle : nullptr;
  Window* root = TopLevelOf(window);
  if (relation == GA_ROOTOWNER)
    while (root->owner != nullptr) root = root->owner;
  return root->handle;
}

HWND GetDesktopWindow() { return nullptr; }

BOOL IsChild(HWND parentHandle, HWND handle) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  for (Window* up = window != nullptr && window->IsChild() ? window->parent : nullptr; up != nullptr;
       up = up->IsChild() ? up->parent : nullptr)
    if (up->handle == parentHandle) return TRUE;
  return FALSE;
}

int GetDlgCtrlID(HWND handle) { return static_cast<int>(GetWindowLongPtr(handle, GWLP_ID)); }

BOOL EnumChildWindows(HWND parentHandle, WNDENUMPROC procedure, LPARAM parameter) {
  // Descendants, depth first in z-order, each child before its own children.
  std::vector<HWND> order;
  {
    std::lock_guard guard(TheCore().lock);
    Window* parent = Find(parentHandle);
    if (parent == nullptr) return FALSE;
    std::vector<Window*> stack(parent->children.rbegin(), parent->children.rend());
    while (!stack.empty()) {
      Window* window = stack.back();
      stack.pop_back();
      order.push_back(window->handle);
      stack.insert(stack.end(), window->children.rbegin(), window->children.rend());
    }
  }
  for (HWND handle : order)
    if (IsWindow(handle) && !procedure(handle, parameter)) break;
  return TRUE;
}

BOOL EnumThreadWindows(DWORD threadId, WNDENUMPROC procedure, LPARAM parameter) {
  std::vector<HWND> order;
  {
    std::lock_guard guard(TheCore().lock);
    for (Window* window : TheCore().topLevels)
      if (window->queue->threadId == threadId) order.push_back(window->handle);
  }
  for (HWND handle : order)
    if (IsWindow(handle) && !procedure(handle, parameter)) break;
  return order.empty() ? FALSE : TRUE;
}

BOOL SetWindowText(HWND handle, LPCSTR text) {
  if (!IsWindow(handle)) return FALSE;
  return SendMessage(handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text != nullptr ? text : "")) != 0
             ? TRUE
             : FALSE;
}

int GetWindowText(HWND handle, LPSTR buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  buffer[0] = '\0';
  return static_cast<int>(
      SendMessage(handle, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLength(HWND handle) {
  return static_cast<int>(SendMessage(handle, WM_GETTEXTLENGTH, 0, 0));
}

namespace platform {

BOOL StoreWindowText(HWND handle, const char* text) {
  bool topLevel = false;
  {
    std::lock_guard guard(TheCore().lock);
    Window* window = Find(handle);
    if (window == nullptr) return FALSE;
    window->text = text != nullptr ? text : "";
    topLevel = !window->IsChild();
  }
  if (topLevel)
    if (Presenter* presenter = ThePresenter()) presenter->TitleChanged(handle, text != nullptr ? text : "");
  return TRUE;
}

LRESULT CopyWindowText(HWND handle, WPARAM size, char* buffer) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  if (window == nullptr || buffer == nullptr || size == 0) return 0;
  std::size_t length = std::min<std::size_t>(window->text.size(), size - 1);
  std::memcpy(buffer, window->text.data(), length);
  buffer[length] = '\0';
  return static_cast<LRESULT>(length);
}

LRESULT WindowTextLength(HWND handle) {
  std::lock_guard guard(TheCore().lock);
  Window* window = Find(handle);
  return window != nullptr ? static_cast<LRESULT>(window->text.size()) : 0;
}

}  // namespace platform
