#pragma once
// The soak's mixed calls against the reference host's freshly started IDE, every result
// checked: a direct round (session, enumerations, the page's text written and read back,
// both records, the tools) and a relay block (exchanges with the relay program).
#include <cstdint>
#include <string>

#include "soak/client.h"

namespace tavrosk::soak {

constexpr long kPluginWindow = 1312;
constexpr long kLargestPage = 512000;

// Page texts of every length up to the largest: prefixes of one text of numbered lines.
class PageTexts {
 public:
  PageTexts();
  const std::wstring& whole() const { return text_; }
  // Lines whose every line end is CR LF, and the length of one line with its end.
  static constexpr long kLineLength = 32;

 private:
  std::wstring text_;
};

// The length of the page that a round writes and reads: mostly short, every fifth round up
// to 64,000 characters, every 25th up to the largest, and once a cycle exactly the largest.
// The lengths repeat every cycle, so that the heap meets the same requests again: after a
// cycle or two its layout is settled, and what grows from then on is kept memory, not layout.
constexpr std::int64_t kRoundsPerCycle = 250;
long page_size_of_round(std::int64_t round);

// Writes a page of `size` characters and calls every kind of member once or more through
// `client`, on the direct road; throws SoakFailure at the first wrong result.
void direct_round(Client& client, const PageTexts& texts, long size, std::int64_t round);

// Switches to the relay road, reads through the relay program (the page of `size`
// characters among the rest) and switches back; every call is one exchange.
void relay_block(Client& client, const PageTexts& texts, long size);

}  // namespace tavrosk::soak
