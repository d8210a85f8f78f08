// Base of the editor's settings objects: a setter that changes a value tells the owner once.
#pragma once

#include <functional>

class TEditorNotify {
  public:
    std::function<void()> OnChange; // the owning editor recomputes its metrics and repaints

  protected:
    TEditorNotify() = default;
    TEditorNotify(const TEditorNotify&) {}
    TEditorNotify& operator=(const TEditorNotify&) { return *this; }
    void Changed() const {
        if (OnChange) OnChange();
    }
    // Stores v into field and notifies when it differs.
    template <class T, class U> void Set(T& field, U v) {
        if (field == static_cast<T>(v)) return;
        field = static_cast<T>(v);
        Changed();
    }
};

inline int ClampInt(int v, int lo, int hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}
