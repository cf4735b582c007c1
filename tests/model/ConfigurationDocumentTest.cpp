#include "model/ConfigurationDocument.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "ImageTestSupport.h"
#include "model/FactoryImage.h"

namespace vkm {
namespace {

TEST(FactoryImage, HasTheDocumentedContent) {
  const ConfigurationImage& image = FactoryImage();
  EXPECT_EQ(std::count_if(image.begin(), image.end(), [](uint8_t b) { return b != 0; }), 501);
  uint8_t x = 0;
  for (uint8_t b : image) x ^= b;
  EXPECT_EQ(x, 0xF9);
  EXPECT_EQ(CheckByte(image), 0x07);

  const uint8_t signature[] = {0x01, 'v', '.', '0', '1', '.', '0', '0', 0x00};
  EXPECT_TRUE(std::equal(std::begin(signature), std::end(signature), image.begin()));
  const uint8_t gprs[] = {0xFF, 0x1B, 0x03, 0x03};
  EXPECT_TRUE(std::equal(std::begin(gprs), std::end(gprs), image.begin() + 2152));
  EXPECT_EQ(image[404], 0x07);
  EXPECT_EQ(image[2055], 0x01);
  EXPECT_EQ(image[2045], 0x04);
}

TEST(ConfigurationDocument, StartsWithFactoryContent) {
  const ConfigurationDocument document;
  EXPECT_EQ(document.image, FactoryImage());
  const PostProgramBlock post = {0x00, 0x00, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x00, 0x00};
  EXPECT_EQ(document.postProgramBlock, post);
  EXPECT_EQ(document.systemParameters, SystemParameterBlock{});
  EXPECT_TRUE(document.IsValidImage());
}

TEST(ConfigurationDocument, ValidityTestCoversTheWholeSignature) {
  for (std::size_t offset = 0; offset < kSignatureSize; ++offset) {
    ConfigurationDocument document;
    document.image[offset] ^= 0x20;
    EXPECT_FALSE(document.IsValidImage()) << "offset " << offset;
  }
  ConfigurationDocument document;
  document.image[0] = 0x02;
  EXPECT_FALSE(document.IsValidImage());
  document.image[0] = 0x01;
  document.image[8] = 'x';
  EXPECT_FALSE(document.IsValidImage());
  document.image[8] = 0;
  document.image[9] = 0xFF;  // outside the signature
  EXPECT_TRUE(document.IsValidImage());
}

TEST(ConfigurationDocument, CheckByteNegatesTheXor) {
  ConfigurationDocument document;
  document.image.fill(0);
  EXPECT_EQ(document.ImageCheckByte(), 0x00);
  document.image[100] = 0x01;
  EXPECT_EQ(document.ImageCheckByte(), 0xFF);
  document.image[3000] = 0x80;
  EXPECT_EQ(document.ImageCheckByte(), 0x7F);
  const uint8_t frame[] = {0x12, 0x34, 0x56};
  EXPECT_EQ(static_cast<uint8_t>((0x12 ^ 0x34 ^ 0x56) + CheckByte(frame)), 0);
}

TEST(ConfigurationDocument, RestoreGprsStrategyDefaultsTouchesFourBytesOnly) {
  ConfigurationDocument document;
  document.image = test::FilledImage(0x5A);
  const ConfigurationImage before = document.image;
  document.RestoreGprsStrategyDefaults();
  EXPECT_EQ(test::ChangedOffsets(before, document.image), test::Span(2152, 2155));
  EXPECT_EQ(document.image[2152], 0xFF);
  EXPECT_EQ(document.image[2153], 0x1B);
  EXPECT_EQ(document.image[2154], 0x03);
  EXPECT_EQ(document.image[2155], 0x03);
}

TEST(ConfigurationDocument, ResetsTouchTheirOwnBlockOnly) {
  ConfigurationDocument document;
  document.image.fill(0x11);
  document.postProgramBlock.fill(0x22);
  document.systemParameters.fill(0x33);

  document.ResetImage();
  EXPECT_EQ(document.image, FactoryImage());
  EXPECT_EQ(document.postProgramBlock[0], 0x22);
  EXPECT_EQ(document.systemParameters[0], 0x33);

  document.image.fill(0x11);
  document.ResetPostProgramBlock();
  EXPECT_EQ(document.postProgramBlock, kFactoryPostProgramBlock);
  EXPECT_EQ(document.image[0], 0x11);
  EXPECT_EQ(document.systemParameters[0], 0x33);

  document.ResetAll();
  EXPECT_EQ(document, ConfigurationDocument());
}

}  // namespace
}  // namespace vkm
