#pragma once
// Owners of system handles and COM pointers: released exactly once, never copied, handed on
// by moving or by Detach.
#include <windows.h>

#include <utility>

namespace plat::win32 {

template <class T, class Traits>
class Unique {
 public:
  Unique() = default;
  explicit Unique(T h) : h_(h) {}
  ~Unique() { Reset(); }
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;
  Unique(Unique&& other) noexcept : h_(other.Detach()) {}
  Unique& operator=(Unique&& other) noexcept {
    if (this != &other) Reset(other.Detach());
    return *this;
  }
  T Get() const { return h_; }
  bool Valid() const { return Traits::Valid(h_); }
  T Detach() { return std::exchange(h_, T()); }
  void Reset(T h = T()) {
    if (Valid()) Traits::Close(h_);
    h_ = h;
  }
  // For functions that return a handle through an out parameter.
  T* Put() {
    Reset();
    return &h_;
  }

 private:
  T h_ = T();
};

struct KernelHandleTraits {
  static bool Valid(HANDLE h) { return h && h != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { CloseHandle(h); }
};
struct KeyTraits {
  static bool Valid(HKEY key) { return key != nullptr; }
  static void Close(HKEY key) { RegCloseKey(key); }
};
struct GdiTraits {
  static bool Valid(HGDIOBJ object) { return object != nullptr; }
  static void Close(HGDIOBJ object) { DeleteObject(object); }
};

using UniqueHandle = Unique<HANDLE, KernelHandleTraits>;
using UniqueKey = Unique<HKEY, KeyTraits>;
using UniqueFont = Unique<HFONT, GdiTraits>;
using UniqueBitmap = Unique<HBITMAP, GdiTraits>;

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { Reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : p_(other.Detach()) {}
  T* operator->() const { return p_; }
  T* Get() const { return p_; }
  T** Put() {
    Reset();
    return &p_;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }
  T* Detach() { return std::exchange(p_, nullptr); }
  void Reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }

 private:
  T* p_ = nullptr;
};

}  // namespace plat::win32
