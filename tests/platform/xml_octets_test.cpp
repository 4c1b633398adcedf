// What the bytes of an XML document are checked for where the parser does not check them
// itself (XmlLite), held against expat on the same documents: the same fault on the same line.
#include <gtest/gtest.h>

#include <string>

#include "platform/xml.h"
#include "platform/xml_octets.h"

namespace zor::platform {
namespace {

class Rien : public EcouteXml {
 public:
  void debut(std::string_view, std::string_view, std::span<const AttributXml>, long long) override {}
  void fin() override {}
  void texte(std::string_view) override {}
};

ResultatXml expat(const std::string& document) {
  Rien rien;
  bool donne = false;
  return analyserXml(
      [&] {
        const std::string_view bloc = donne ? std::string_view() : std::string_view(document);
        donne = true;
        return bloc;
      },
      rien);
}

// Byte by byte, as a stream may hand them over.
OctetsXml examiner(const std::string& document) {
  OctetsXml octets;
  for (std::size_t i = 0; i < document.size() && octets.examiner(document.substr(i, 1)); ++i) {
  }
  octets.terminer();
  return octets;
}

// Faulty documents first, then well-formed ones that must pass.
TEST(OctetsXml, MemesVerdictsQuExpatSurLaMemeLigne) {
  const std::string wpt = "<wpt lat=\"45\" lon=\"6\"><name>";
  const std::string cas[] = {
      "",                                                  // nothing at all
      "\n\n   \n",                                         // blanks only
      "<?xml version=\"1.0\"?>",                           // a declaration only
      "<!-- x -->\n<?pi?>\n",                              // no element
      "bonjour\nle monde\n",                               // text without markup
      "\n\n  bonjour",
      "\xEF\xBB\xBF\n x",                                  // after the byte order mark
      "\xFF\n<gpx/>",
      "<gpx>" + wpt + "Ch\xE2teau</name></wpt></gpx>",     // Latin-1 in a UTF-8 document
      "<gpx>" + wpt + "a\nb\n\xFF" "c</name></wpt></gpx>",
      "<gpx>" + wpt + "a\r\n\r\xE2\x82</name></wpt></gpx>",  // a character cut short
      "<gpx>" + wpt + "\xED\xA0\x80</name></wpt></gpx>",   // a surrogate
      "<gpx>" + wpt + "\xC0\xAF</name></wpt></gpx>",       // an overlong form
      "<gpx>" + wpt + "\xF4\x90\x80\x80</name></wpt></gpx>",  // beyond U+10FFFF
      "<gpx>\n<!-- a\n\xFF -->\n</gpx>",
      "<gpx>" + wpt + "\xC3",                              // cut inside a character
      "<gpx/>",
      "\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<gpx><name>\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80</name></gpx>\r\n",
      "\n  <!-- <?x?> -->\n<gpx a=\"1\">\n</gpx>\n",
  };
  constexpr std::size_t kFautifs = 16;
  for (std::size_t i = 0; i < std::size(cas); ++i) {
    const ResultatXml attendu = expat(cas[i]);
    const OctetsXml octets = examiner(cas[i]);
    ASSERT_EQ(attendu.faute != FauteXml::Aucune, i < kFautifs) << cas[i];
    EXPECT_EQ(octets.faute(), attendu.faute) << cas[i];
    if (i < kFautifs) {
      EXPECT_EQ(octets.faute() == FauteXml::FinPrematuree ? octets.ligneCourante() : octets.ligne(), attendu.ligne) << cas[i];
    } else {
      EXPECT_FALSE(octets.dansUneBalise()) << cas[i];
    }
  }
  // Recoded from an 8-bit code page, every byte is a character.
  OctetsXml latin1(false);
  EXPECT_TRUE(latin1.examiner("<gpx><name>Ch\xE2teau</name></gpx>"));
  EXPECT_TRUE(latin1.terminer());
}

// A document cut inside a tag stops too early where that tag began, as expat says.
TEST(OctetsXml, CoupeDansUneBalise) {
  const std::string cas[] = {"<gpx><wpt/>\r\n<wpt lat=\"4", "<gpx>\r<wpt/>\r</gpx\r", "<gpx/>\n<"};
  for (const std::string& document : cas) {
    const ResultatXml attendu = expat(document);
    ASSERT_EQ(attendu.faute, FauteXml::FinPrematuree) << document;
    OctetsXml octets;
    ASSERT_TRUE(octets.examiner(document));
    EXPECT_TRUE(octets.dansUneBalise()) << document;
    EXPECT_EQ(octets.ligneBalise(), attendu.ligne) << document;
  }
}

}  // namespace
}  // namespace zor::platform
