#include "core/NoCaseFinder.h"

#include <gtest/gtest.h>

#include <random>

#include "core/TextUtil.h"

namespace cvx {
namespace {

// The plain search the finder must agree with.
std::size_t NaiveFind(std::string_view hay, std::string_view needle) {
  for (std::size_t i = 0; i + needle.size() <= hay.size(); ++i) {
    if (EqualsNoCase(hay.substr(i, needle.size()), needle)) return i;
  }
  return std::string_view::npos;
}

std::size_t Find(const NoCaseFinder& f, std::string_view hay) {
  const char* at = f.Find(hay.data(), hay.data() + hay.size());
  return at == hay.data() + hay.size() ? std::string_view::npos
                                       : static_cast<std::size_t>(at - hay.data());
}

TEST(NoCaseFinder, AgreesWithAPlainSearchEverywhere) {
  // Small alphabets force many near misses; every length and offset crosses the 16-byte blocks.
  std::mt19937 rng(7);
  const std::string alphabet = "0aA1:.bB\"";
  for (int round = 0; round < 3000; ++round) {
    std::string hay(rng() % 90, ' ');
    for (auto& c : hay) c = alphabet[rng() % alphabet.size()];
    std::string needle(1 + rng() % 12, ' ');
    for (auto& c : needle) c = alphabet[rng() % alphabet.size()];
    if (round % 3 == 0 && hay.size() >= needle.size()) {
      const std::size_t at = rng() % (hay.size() - needle.size() + 1);
      for (std::size_t i = 0; i < needle.size(); ++i) {
        const char c = needle[i];
        hay[at + i] = (rng() % 2) ? static_cast<char>(std::toupper(c)) : c;
      }
    }
    EXPECT_EQ(Find(NoCaseFinder(needle), hay), NaiveFind(hay, needle))
        << "needle " << needle << " in " << hay;
  }
}

TEST(NoCaseFinder, OnlyLettersFoldTogether) {
  // Bytes that differ in bit 5 but are not two cases of one letter stay different.
  const NoCaseFinder at("@[");
  EXPECT_EQ(Find(at, "`{ @{ `[ xx"), std::string_view::npos);
  EXPECT_EQ(Find(NoCaseFinder(":."), std::string("\x1A\x0E :.")), 3u);
  EXPECT_EQ(Find(NoCaseFinder("\xC3\xA4"), "\xC3\x84 \xC3\xA4"), 3u);  // UTF-8 is not folded
  EXPECT_EQ(Find(NoCaseFinder("0060b00f3c21"), std::string(40, '0') + "0060B00F3C21"), 40u);
}

TEST(NoCaseFinder, EdgesOfTheBuffer) {
  EXPECT_EQ(Find(NoCaseFinder(""), "abc"), 0u);
  EXPECT_EQ(Find(NoCaseFinder("abcd"), "abc"), std::string_view::npos);
  const std::string hay = std::string(47, 'x') + "KEY";
  EXPECT_EQ(Find(NoCaseFinder("key"), hay), 47u);
  EXPECT_EQ(Find(NoCaseFinder("key"), std::string_view(hay).substr(0, 49)), std::string_view::npos);
}

}  // namespace
}  // namespace cvx
