// Reading and writing single values through the layer, on the double natively
// and on the real registry under Wine.
#include <string>

#include "contract/registry_fixture.h"

namespace ferrolis::testing {
namespace {

using platform::kRegBinary;
using platform::kRegDword;
using platform::kRegDwordBigEndian;
using platform::kRegExpandSz;
using platform::kRegMultiSz;
using platform::kRegNone;
using platform::kRegSz;
using registry::RegistryValue;

class RegistryValues : public ScratchFixture {
 protected:
  // Reads a value of the scratch key, with "dflt" as the default.
  RegistryValue Read(const std::string& name, bool full_access = false) {
    return layer_.GetRegistryValue("", "", name, "dflt", kScratchRoot, kScratchPath, full_access);
  }
  bool Write(const std::string& name, const std::string& data, std::uint32_t type) {
    return layer_.SetRegistryValue("", "", name, data, kScratchRoot, kScratchPath, type);
  }
  std::optional<StoredValue> StoredHere(const std::string& name) {
    return Stored(kScratchRoot, Scratch(), name);
  }
};

// A text's bytes as the registry holds them: with the terminating NUL.
std::vector<std::uint8_t> Sz(std::string_view text) {
  std::vector<std::uint8_t> bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

constexpr std::uint32_t kNotSeeded = ~0u;
const RegistryValue kDflt("dflt");

// Raw data in the scratch key, and what it reads as with "dflt" as default.
struct Seeded {
  const char* name;
  std::uint32_t type;
  std::vector<std::uint8_t> bytes;
  RegistryValue read;
};
const Seeded kSeeded[] = {
    // Nothing a value can be read as gives the default.
    {"blank", kRegSz, Sz("   "), kDflt},
    {"one blank", kRegSz, Sz(" "), kDflt},
    {"terminator", kRegSz, {0}, kDflt},
    {"zero length", kRegSz, {}, kDflt},
    {"multi", kRegMultiSz, {'a', 0, 'b', 0, 0}, kDflt},
    {"none", kRegNone, {1, 2}, kDflt},
    {"no bytes", kRegBinary, {}, kDflt},
    {"missing", kNotSeeded, {}, kDflt},
    {"long dword", kRegDword, std::vector<std::uint8_t>(300, 1), kDflt},  // no number fits
    // Texts lose their last character and nothing else.
    {"padded", kRegSz, Sz(" x "), RegistryValue(" x ")},
    {"expand", kRegExpandSz, Sz("%SystemRoot%\\a"), RegistryValue("%SystemRoot%\\a")},
    {"accent", kRegSz, Sz("Déjà"), RegistryValue("Déjà")},
    // Longer than a first read takes in.
    {"long", kRegSz, Sz(std::string(300, 'x')), RegistryValue(std::string(300, 'x'))},
    // Numbers are little-endian.
    {"zero", kRegDword, {0, 0, 0, 0}, RegistryValue(0)},
    {"five", kRegDword, {5, 0, 0, 0}, RegistryValue(5)},
    {"minus one", kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}, RegistryValue(-1)},
    {"big endian", kRegDwordBigEndian, {0, 0, 0, 1}, RegistryValue(16777216)},
    {"two bytes", kRegDword, {7, 1}, RegistryValue(0x0107)},
    // Binary data reads as upper-case hexadecimal pairs.
    {"four", kRegBinary, {1, 0, 0, 0}, RegistryValue("01 00 00 00")},
    {"one", kRegBinary, {10}, RegistryValue("0A")},
    {"two", kRegBinary, {0xFF, 0x0A}, RegistryValue("FF 0A")},
};

TEST_F(RegistryValues, EachSeededValueReadsAsItsRowSays) {
  for (const Seeded& s : kSeeded) {
    if (s.type != kNotSeeded) Seed(kScratchRoot, Scratch(), s.name, s.type, s.bytes);
  }
  for (const Seeded& s : kSeeded) {
    EXPECT_EQ(Read(s.name, false), s.read) << s.name;
    EXPECT_EQ(Read(s.name, true), s.read) << s.name << ", opened for writing too";
  }
  EXPECT_EQ(Read("minus one").Text(), "-1");
  // Value names and key paths are found whatever their case.
  EXPECT_EQ(Read("PADDED"), RegistryValue(" x "));
  EXPECT_EQ(layer_.GetRegistryValue("", "", "padded", "dflt", kScratchRoot,
                                    "SOFTWARE\\ferroliscontracttests", false),
            RegistryValue(" x "));
  EXPECT_EQ(layer_.GetRegistryValue("Nowhere", "", "x", "dflt", kScratchRoot, kScratchPath, false),
            kDflt);
  // The default is handed back as given, blanks and all.
  EXPECT_EQ(layer_.GetRegistryValue("", "", "missing", " ", kScratchRoot, kScratchPath, false),
            RegistryValue(" "));
  // Several values of a key read as each alone.
  EXPECT_EQ(layer_.GetRegistryValues("", "", {"long", "long dword", "one blank", "missing", "zero"},
                                     "dflt", kScratchRoot, kScratchPath, false),
            (std::vector<RegistryValue>{RegistryValue(std::string(300, 'x')), kDflt, kDflt, kDflt,
                                        RegistryValue(0)}));
  EXPECT_EQ(layer_.GetRegistryValues("Nowhere", "", {"a", "b"}, "dflt", kScratchRoot, kScratchPath,
                                     false),
            (std::vector<RegistryValue>{kDflt, kDflt}));
}

TEST_F(RegistryValues, NumbersAreStoredAsFourLittleEndianBytes) {
  EXPECT_TRUE(layer_.SetRegistryValue("One", "Two", "NoRun", "1", kScratchRoot, Scratch("Base"),
                                      kRegDword));
  EXPECT_EQ(Stored(kScratchRoot, Scratch("Base\\One\\Two"), "NoRun"),
            (StoredValue{kRegDword, {1, 0, 0, 0}}));

  EXPECT_TRUE(Write("neg", "-1", kRegDword));
  EXPECT_TRUE(Write("max", "+2147483647", kRegDword));
  EXPECT_TRUE(Write("min", "-2147483648", kRegDword));
  EXPECT_TRUE(Write("lead", "007", kRegDword));
  EXPECT_TRUE(Write("be", "1", kRegDwordBigEndian));
  EXPECT_EQ(StoredHere("neg"), (StoredValue{kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}}));
  EXPECT_EQ(StoredHere("max"), (StoredValue{kRegDword, {0xFF, 0xFF, 0xFF, 0x7F}}));
  EXPECT_EQ(StoredHere("min"), (StoredValue{kRegDword, {0, 0, 0, 0x80}}));
  EXPECT_EQ(StoredHere("lead"), (StoredValue{kRegDword, {7, 0, 0, 0}}));
  EXPECT_EQ(StoredHere("be"), (StoredValue{kRegDwordBigEndian, {1, 0, 0, 0}}));
  EXPECT_EQ(Read("min"), RegistryValue(-2147483647 - 1));
}

TEST_F(RegistryValues, TextsAreStoredWithTheirNulWhateverTheirCharacters) {
  EXPECT_TRUE(Write("one", "1", kRegSz));
  EXPECT_TRUE(Write("empty", "", kRegSz));
  EXPECT_TRUE(Write("accent", "é", kRegExpandSz));
  EXPECT_TRUE(Write("name", "Łukasz", kRegSz));
  EXPECT_EQ(StoredHere("one"), (StoredValue{kRegSz, {0x31, 0x00}}));
  EXPECT_EQ(StoredHere("empty"), (StoredValue{kRegSz, {0x00}}));
  EXPECT_EQ(StoredHere("accent"), (StoredValue{kRegExpandSz, {0xC3, 0xA9, 0x00}}));
  EXPECT_EQ(Read("accent"), RegistryValue("é"));
  // Outside every Western code page, and kept: no "?" and no "L".
  EXPECT_EQ(Read("name"), RegistryValue("Łukasz"));
}

TEST_F(RegistryValues, TextsThatAreNotWholeNumbersStoreNothing) {
  Seed(kScratchRoot, Scratch(), "kept", kRegDword, {7, 0, 0, 0});
  for (const char* text : {"abc", "1.5", "1,5", " 1", "1 ", "", "+", "-", "0x10", "1e3",
                           "2147483648", "-2147483649", "99999999999999999999"}) {
    EXPECT_FALSE(Write("bad", text, kRegDword)) << '"' << text << '"';
    EXPECT_FALSE(Write("bad", text, kRegDwordBigEndian)) << '"' << text << '"';
    EXPECT_FALSE(Write("kept", text, kRegDword)) << '"' << text << '"';
  }
  EXPECT_EQ(StoredHere("bad"), std::nullopt);
  EXPECT_EQ(StoredHere("kept"), (StoredValue{kRegDword, {7, 0, 0, 0}}));

  // The key is created before the conversion fails, and stays.
  EXPECT_FALSE(
      layer_.SetRegistryValue("Made", "", "v", "x", kScratchRoot, kScratchPath, kRegDword));
  EXPECT_TRUE(KeyExists(kScratchRoot, Scratch("Made")));
}

TEST_F(RegistryValues, TypesTheProgramDoesNotWriteStoreNothing) {
  EXPECT_TRUE(Write("bin", "01 00 00 00", kRegBinary));
  EXPECT_TRUE(Write("multi", "a", kRegMultiSz));
  EXPECT_EQ(StoredHere("bin"), std::nullopt);
  EXPECT_EQ(StoredHere("multi"), std::nullopt);
}

TEST_F(RegistryValues, AWriteReplacesTheValueAndItsType) {
  EXPECT_TRUE(Write("v", "Bonjour", kRegSz));
  EXPECT_EQ(Read("v"), RegistryValue("Bonjour"));
  EXPECT_TRUE(Write("V", "-5", kRegDword));
  EXPECT_EQ(Read("v"), RegistryValue(-5));
}

TEST_F(RegistryValues, AWriteTheRegistryRefusesIsReported) {
  Seed(kScratchRoot, Scratch(), "kept", kRegSz, {'o', 'l', 'd', 0});
  platform::KeyHandle key = 0;
  ASSERT_EQ(platform_->OpenKey(kScratchRoot, Scratch(), platform::kKeyRead, &key), 0);
  EXPECT_FALSE(layer_.WriteValueData(key, "kept", kRegSz, "new"));
  EXPECT_FALSE(layer_.WriteValueData(key, "number", kRegDword, "1"));
  platform_->CloseKey(key);
  ASSERT_EQ(platform_->OpenKey(kScratchRoot, Scratch(), platform::kKeyAllSpecificRights, &key), 0);
  EXPECT_TRUE(layer_.WriteValueData(key, "number", kRegDword, "1"));
  platform_->CloseKey(key);
  EXPECT_EQ(StoredHere("kept"), (StoredValue{kRegSz, {'o', 'l', 'd', 0}}));
  EXPECT_EQ(StoredHere("number"), (StoredValue{kRegDword, {1, 0, 0, 0}}));
  // A name the registry refuses, in a key the write may create and open.
  EXPECT_FALSE(Write("D\xE9", "x", kRegSz));
}

TEST_F(RegistryValues, OddDataNeitherCrashesNorCorrupts) {
  // 1 MiB of binary data reads back whole.
  Bytes big(1 << 20);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 7);
  Seed(kScratchRoot, Scratch(), "big", kRegBinary, big);
  const std::string hex = Read("big").Text();
  ASSERT_EQ(hex.size(), big.size() * 3 - 1);
  EXPECT_EQ(hex.substr(0, 8), "00 07 0E");
  EXPECT_EQ(hex.substr(hex.size() - 2), "F9");  // (2^20 - 1) * 7 mod 256

  // A string stored without its NUL: the registry may add the terminator when
  // handing ANSI data out; either way the data up to its last byte is kept.
  Seed(kScratchRoot, Scratch(), "unterminated", kRegSz, {'a', 'b', 'c'});
  const std::string text = Read("unterminated").Text();
  EXPECT_TRUE(text == "ab" || text == "abc") << text;

  // A DWORD longer than four bytes does not fit a number: the default.
  Seed(kScratchRoot, Scratch(), "long dword", kRegDword, {1, 0, 0, 0, 2, 0, 0, 0});
  EXPECT_EQ(Read("long dword"), RegistryValue("dflt"));

  // Nothing else in the key was touched.
  EXPECT_EQ(StoredHere("big"), (StoredValue{kRegBinary, big}));
}

}  // namespace
}  // namespace ferrolis::testing
