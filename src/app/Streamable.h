// TStreamable: an object that turns itself into bytes and back (editor property sets, colouring
// definitions, printer settings). Its own header, so that such an object does not see how the
// bytes are stored (app/ObjectIni.h).
#pragma once

#include <string>
#include <string_view>

class TStreamable {
  public:
    virtual ~TStreamable() = default;
    virtual std::string SaveToBytes() const = 0;
    virtual void LoadFromBytes(std::string_view bytes) = 0;
};
