#include "platform/net/TextFetcher.h"

#include "platform/net/CurlFetcher.h"

namespace net {

namespace {
std::unique_ptr<TextFetcher> &installed()
{
    static std::unique_ptr<TextFetcher> fetcher;
    return fetcher;
}
} // namespace

TextFetcher::~TextFetcher() = default;

TextFetcher &TextFetcher::current()
{
    if (!installed())
        installed() = std::make_unique<CurlFetcher>();
    return *installed();
}

void TextFetcher::install(std::unique_ptr<TextFetcher> fetcher) { installed() = std::move(fetcher); }

} // namespace net
