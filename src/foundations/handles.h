// Small owners for system handles, so every early return closes what it opened.
// They only close; all behaviour stays in plain procedures.
#pragma once

#include <windows.h>

// A root key (or an open key) and the registry view to reach keys below it in: on 64-bit
// Windows HKEY_LOCAL_MACHINE\Software has a 64-bit and a 32-bit view. A bare key means no
// view flag, the view of this build; system_view.h says which flags a view takes.
struct RegRoot {
    RegRoot(HKEY key, REGSAM viewFlags = 0) : hive(key), view(viewFlags) {}
    HKEY hive;
    REGSAM view;  // 0, KEY_WOW64_64KEY or KEY_WOW64_32KEY
};

// An open registry key.
class RegKey {
public:
    RegKey() = default;
    ~RegKey() { Close(); }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    LONG Open(RegRoot root, const char* subkey, REGSAM access)
    {
        Close();
        return RegOpenKeyExA(root.hive, subkey, 0, access | root.view, &key_);
    }
    // Without a view the call of the oldest systems, which know no view flags.
    LONG Create(RegRoot root, const char* subkey)
    {
        Close();
        if (!root.view) return RegCreateKeyA(root.hive, subkey, &key_);
        return RegCreateKeyExA(root.hive, subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, MAXIMUM_ALLOWED | root.view,
                               nullptr, &key_, nullptr);
    }
    void Close()
    {
        if (key_) RegCloseKey(key_);
        key_ = nullptr;
    }
    HKEY get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }

private:
    HKEY key_ = nullptr;
};

// A kernel handle closed with CloseHandle (INVALID_HANDLE_VALUE and NULL both mean none).
class ScopedHandle {
public:
    explicit ScopedHandle(HANDLE h = nullptr) : h_(h) {}
    ~ScopedHandle() { Reset(nullptr); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;

    void Reset(HANDLE h)
    {
        if (valid()) CloseHandle(h_);
        h_ = h;
    }
    HANDLE get() const { return h_; }
    bool valid() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE h_;
};

// A library loaded at run time.
class ScopedLibrary {
public:
    explicit ScopedLibrary(const char* name) : module_(LoadLibraryA(name)) {}
    ~ScopedLibrary() { if (module_) FreeLibrary(module_); }
    ScopedLibrary(const ScopedLibrary&) = delete;
    ScopedLibrary& operator=(const ScopedLibrary&) = delete;

    HMODULE get() const { return module_; }
    explicit operator bool() const { return module_ != nullptr; }
    template <typename F> F Proc(const char* name) const
    {
        return module_ ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module_, name))) : nullptr;
    }

private:
    HMODULE module_;
};

// A COM interface pointer released on scope exit.
template <typename T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() { Reset(); }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T** put() { Reset(); return &p_; }
    void** put_void() { return reinterpret_cast<void**>(put()); }
    void Reset()
    {
        if (p_) p_->Release();
        p_ = nullptr;
    }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

// A global memory block (GlobalAlloc) freed on scope exit unless released.
class ScopedGlobal {
public:
    explicit ScopedGlobal(HGLOBAL h = nullptr) : h_(h) {}
    ~ScopedGlobal() { if (h_) GlobalFree(h_); }
    ScopedGlobal(const ScopedGlobal&) = delete;
    ScopedGlobal& operator=(const ScopedGlobal&) = delete;
    HGLOBAL get() const { return h_; }
    HGLOBAL release() { HGLOBAL h = h_; h_ = nullptr; return h; }

private:
    HGLOBAL h_;
};
