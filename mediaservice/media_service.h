#pragma once
#include <string>
#include <string_view>

// The video service, driven by text commands as a desktop media service is:
//   open PATH alias NAME [style child parent HWND]   close NAME
//   where NAME source        put NAME destination at X Y W H
//   status NAME length|position                       play NAME [window]
//   pause NAME   stop NAME   step NAME [reverse]      seek NAME to N
//   update NAME hdc HDC
// Words are separated by one or more blanks. Positions count frames from 0.
class MediaService {
  public:
    virtual ~MediaService() = default;
    // Runs one command. Returns 0 and sets `reply` on success; otherwise a non-zero code.
    virtual int send(std::string_view command, std::string& reply) = 0;
    // A readable (Japanese, UTF-8) description of a non-zero code of the last failure.
    virtual std::string error_text(int code) = 0;
};
