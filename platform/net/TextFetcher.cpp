#include "platform/net/TextFetcher.h"

#include "platform/net/CurlFetcher.h"

namespace net
{

TextFetcher::~TextFetcher() = default;

} // namespace net

KV_SERVICE_SLOT_STORAGE(net::TextFetcher)

template <> std::unique_ptr<net::TextFetcher> rt::ServiceSlot<net::TextFetcher>::makeDefault()
{
    return std::make_unique<net::CurlFetcher>();
}
