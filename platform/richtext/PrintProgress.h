#pragma once

namespace richtext
{

// Hears of a print as it goes on, between its steps, and may stop it.
class PrintProgress
{
public:
    virtual ~PrintProgress();

    // `page` of `pages` is printed next; both are 0 while the text is still
    // being made ready. Returns false when the print is to stop.
    virtual bool advance(int page, int pages) = 0;
};

} // namespace richtext
