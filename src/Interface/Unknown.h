// Reference-counted interfaces as the host contract uses them: interface identifiers, the basic
// query / add-reference / release slots, a smart reference and a counted-object base.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <utility>

namespace tkv {

struct TGUID {
    std::uint32_t D1 = 0;
    std::uint16_t D2 = 0, D3 = 0;
    std::uint8_t D4[8] = {};
    bool operator==(const TGUID& o) const;
    // Registry form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
    std::string ToString() const;
    // Parses the registry form; raises std::invalid_argument on anything else.
    static TGUID Parse(const std::string& text);
};

constexpr std::int32_t S_OK = 0;
constexpr std::int32_t E_NOINTERFACE = static_cast<std::int32_t>(0x80004002u);

struct IInterface {
    virtual std::int32_t QueryInterface(const TGUID& iid, void** obj) = 0;
    virtual std::uint32_t AddRef() = 0;
    virtual std::uint32_t Release() = 0;

protected:
    ~IInterface() = default;
};

extern const TGUID IID_IUnknown;

// Holds one reference on the object behind it, like an interface variable of the host framework.
template <class T> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a new reference on p.
    ComPtr(T* p) : p_(p) {
        if (p_)
            p_->AddRef();
    }
    ComPtr(const ComPtr& o) : ComPtr(o.p_) {}
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    template <class U> ComPtr(const ComPtr<U>& o) : ComPtr(static_cast<T*>(o.Get())) {}
    ~ComPtr() { Reset(); }
    ComPtr& operator=(ComPtr o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    // Adopts an existing reference without adding one.
    static ComPtr Attach(T* p) {
        ComPtr r;
        r.p_ = p;
        return r;
    }
    // Gives up the reference without releasing it.
    T* Detach() { return std::exchange(p_, nullptr); }
    void Reset() {
        if (T* p = std::exchange(p_, nullptr))
            p->Release();
    }
    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    bool operator==(const ComPtr& o) const { return p_ == o.p_; }

private:
    T* p_ = nullptr;
};

// Base for the counted objects of the core: starts at zero references and destroys itself when the
// last reference is released. Derived classes implement QueryInterface.
template <class... Interfaces> class TInterfacedObject : public Interfaces... {
public:
    std::uint32_t AddRef() override { return ++refCount_; }
    std::uint32_t Release() override {
        const std::uint32_t n = --refCount_;
        if (n == 0)
            delete this;
        return n;
    }
    std::uint32_t RefCount() const { return refCount_; }

protected:
    virtual ~TInterfacedObject() = default;

private:
    std::atomic<std::uint32_t> refCount_{0};
};

} // namespace tkv
