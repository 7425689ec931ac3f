#include <gtest/gtest.h>

#include "base/SettingsCipher.h"
#include "base/Text.h"

using namespace tolvar;

// Worked out independently of this code: Base64 of RC4, keyed with the SHA-1 digest of the
// phrase, over the text. It pins the phrase, the key derivation and the keystream start at once.
TEST(SettingsCipher, SealsWithTheFixedPhrase) {
    const std::string plain = "CompanyCode=DEMO01\r\nDomainIP=127.0.0.1\r\n";
    const std::string sealed = "jT9IK1NRnCvjFKMY/Bq5tF2r1ARKPotHY9nifPR37xJf+RhnWPN0Ug==";
    EXPECT_EQ(EncryptText(plain, SettingsKeyPhrase), sealed);
    EXPECT_EQ(DecryptText(sealed, SettingsKeyPhrase), plain);
    EXPECT_EQ(SettingsKeyPhrase.size(), 44u);
}

TEST(SettingsCipher, RoundTripsAStoredLineOfSettings) {
    std::string plain =
        "CompanyCode=ACME01\r\nDomainIP=10.0.0.7\r\nDomainPort=7001\r\nMainIP=10.0.0.8\r\nMainPort=7002\r\n"
        "CompanyName=Acme Trading \r\nCompanyTel=02-555-0100\r\nHomePage=http://www.acme.example/";
    plain += std::string(282 - plain.size(), 'x');  // 282 bytes make the stored 376 characters
    const std::string sealed = EncryptText(plain, SettingsKeyPhrase);
    ASSERT_EQ(sealed.size(), 376u);
    EXPECT_EQ(sealed.find_first_of("\r\n="), std::string::npos);

    EXPECT_EQ(DecryptText(sealed, SettingsKeyPhrase), plain);
    EXPECT_EQ(DecryptText(sealed + "\r\n", SettingsKeyPhrase), plain);
    const TextLines settings = TextToLines(DecryptText(sealed + "\r\n", SettingsKeyPhrase));
    EXPECT_EQ(ValueOf(settings, "companycode"), "ACME01");
    EXPECT_EQ(ValueOf(settings, "CompanyName"), "Acme Trading ");

    EXPECT_NE(DecryptText(sealed, "another phrase"), plain);
}

TEST(SettingsCipher, HandlesEmptyAndArbitraryBytes) {
    EXPECT_EQ(EncryptText("", SettingsKeyPhrase), "");
    EXPECT_EQ(DecryptText("", SettingsKeyPhrase), "");
    EXPECT_EQ(DecryptText("ab\r", SettingsKeyPhrase), "");
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes.push_back(char(255 - b));
    EXPECT_EQ(DecryptText(EncryptText(bytes, SettingsKeyPhrase), SettingsKeyPhrase), bytes);
    // An empty phrase still hashes to a 20-byte key.
    EXPECT_EQ(DecryptText(EncryptText("Name=Value", ""), ""), "Name=Value");
}
