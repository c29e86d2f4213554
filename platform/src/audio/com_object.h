// The reference counting every COM-shaped object of the platform shares: created with one reference, gone
// with the last Release.
#pragma once
#include <atomic>

#include "platform/com_base.h"

namespace platform {

template <class Interface>
class ComObject : public Interface {
public:
    HRESULT QueryInterface(REFIID, void** object) override
    {
        if (object) *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++references_; }
    ULONG Release() override
    {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

private:
    std::atomic<ULONG> references_{1};
};

}  // namespace platform
