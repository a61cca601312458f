// Property lists: the byte layout of window and control properties.

#include <QtTest>

#include <limits>
#include <map>

#include "framework/exceptions.h"
#include "framework/property_list.h"

Q_DECLARE_METATYPE(fw::Property)
Q_DECLARE_METATYPE(fw::PropertyType)

namespace {

using fw::PropertyType;

// The declared property types of a label-like class.
std::optional<PropertyType> LabelType(std::string_view name) {
  static const std::map<std::string, PropertyType, std::less<>> kTypes{
      {"Width", PropertyType::Integer},     {"Left", PropertyType::Integer},
      {"Visible", PropertyType::Boolean},   {"Title", PropertyType::Text},
      {"FontSize", PropertyType::FontSize}, {"FontUnit", PropertyType::FontUnit},
      {"TextColor", PropertyType::Color},   {"LineHeight", PropertyType::Double},
  };
  const auto found = kTypes.find(name);
  return found == kTypes.end() ? std::nullopt : std::optional(found->second);
}

template <size_t N>
QByteArray Literal(const char (&bytes)[N]) {
  return QByteArray(bytes, N - 1);  // keeps embedded NULs
}

// A list written out by hand, entry by entry.
QByteArray Fixture() {
  // clang-format off
  return Literal("Width "      "\x8A\x02\x00\x00\x00\x00\x00\x00"  // 650: bytes 0-13
                 "Visible "    "\x01"                              // 14-22
                 "Title "      "\x09\x00\x00\x00" "Quillmere"        // 23-41
                 "FontSize "   "\x00\x00\x38\x42"                  // 46.0f: 42-54
                 "TextColor "  "\x99\x66\x33\x00"                  // 0x00336699: 55-68
                 "LineHeight " "\x00\x00\x00\x00\x00\x00\xF8\x3F"  // 1.5: 69-87
                 "FontUnit "   "\x02"                              // 88-97
                 "Left "       "\xF8\xFF\xFF\xFF\xFF\xFF\xFF\xFF"); // -8: 98-110
  // clang-format on
}

std::vector<uint8_t> ToVector(const QByteArray& bytes) {
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

QByteArray ToByteArray(const std::vector<uint8_t>& bytes) {
  return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qsizetype>(bytes.size()));
}

std::vector<fw::Property> DecodeLabel(const QByteArray& bytes) {
  return fw::PropertyList::FromBytes(ToVector(bytes)).Decode(LabelType, "Label");
}

}  // namespace

class tst_PropertyList : public QObject {
  Q_OBJECT

 private slots:
  void handWrittenListDecodes();
  void layoutTableEncodesToHandWrittenBytes();
  void roundTripOfEveryType_data();
  void roundTripOfEveryType();
  void truncatedListRaises_data();
  void truncatedListRaises();
  void unknownNameRaises();
  void nameThatCannotBeReadBackRaises();
};

void tst_PropertyList::handWrittenListDecodes() {
  const std::vector<fw::Property> expected{
      {"Width", 650},
      {"Visible", true},
      {"Title", "Quillmere"},
      {"FontSize", 46.0f},
      {"TextColor", fw::Color{0x00336699}},
      {"LineHeight", 1.5},
      {"FontUnit", fw::FontUnit{2}},
      {"Left", -8},
  };
  const std::vector<fw::Property> decoded = DecodeLabel(Fixture());
  QCOMPARE(decoded.size(), expected.size());
  for (size_t k = 0; k < expected.size(); ++k) {
    QVERIFY2(decoded[k] == expected[k], expected[k].name.c_str());
  }

  QVERIFY(DecodeLabel(QByteArray()).empty());
  const std::vector<fw::Property> firstOnly = DecodeLabel(Fixture().left(14));
  QCOMPARE(firstOnly.size(), size_t{1});
  QVERIFY(firstOnly[0] == expected[0]);
}

void tst_PropertyList::layoutTableEncodesToHandWrittenBytes() {
  const fw::PropertyList layout{
      {"Width", 650},
      {"Visible", true},
      {"Title", "Quillmere"},
      {"FontSize", 46.0f},
      {"TextColor", fw::Color{0x00336699}},
      {"LineHeight", 1.5},
      {"FontUnit", fw::FontUnit{2}},
      {"Left", -8},
  };
  QCOMPARE(ToByteArray(layout.Bytes()), Fixture());
}

void tst_PropertyList::roundTripOfEveryType_data() {
  QTest::addColumn<fw::Property>("entry");
  QTest::addColumn<PropertyType>("type");
  QTest::addColumn<int>("valueBytes");
  // Each entry is written as a layout table writes it, so the type column
  // also checks which alternative the literal chose.
  QTest::newRow("true") << fw::Property{"Visible", true} << PropertyType::Boolean << 1;
  QTest::newRow("false") << fw::Property{"Enabled", false} << PropertyType::Boolean << 1;
  QTest::newRow("int") << fw::Property{"Width", 650} << PropertyType::Integer << 8;
  QTest::newRow("int zero") << fw::Property{"Index", 0} << PropertyType::Integer << 8;
  QTest::newRow("unsigned") << fw::Property{"Height", 400u} << PropertyType::Integer << 8;
  QTest::newRow("int64 max") << fw::Property{"Top", std::numeric_limits<int64_t>::max()}
                             << PropertyType::Integer << 8;
  QTest::newRow("int64 min") << fw::Property{"Left", std::numeric_limits<int64_t>::min()}
                             << PropertyType::Integer << 8;
  QTest::newRow("font unit") << fw::Property{"FontUnit", fw::FontUnit{3}} << PropertyType::FontUnit
                             << 1;
  QTest::newRow("float") << fw::Property{"FontSize", 12.0f} << PropertyType::FontSize << 4;
  QTest::newRow("double") << fw::Property{"LineHeight", 0.0} << PropertyType::Double << 8;
  QTest::newRow("double fraction")
      << fw::Property{"LineSpacing", 1.0 / 3.0} << PropertyType::Double << 8;
  QTest::newRow("color") << fw::Property{"TextColor", fw::Color{0x00FF8000}} << PropertyType::Color
                         << 4;
  QTest::newRow("string literal") << fw::Property{"Title", "Quillmere"} << PropertyType::Text
                                  << 4 + 9;
  QTest::newRow("empty text") << fw::Property{"Text", ""} << PropertyType::Text << 4;
  QTest::newRow("std::string") << fw::Property{"Caption", std::string("\xC3\x9C \xF0\x9F\x98\x80")}
                               << PropertyType::Text << 4 + 7;
}

void tst_PropertyList::roundTripOfEveryType() {
  QFETCH(fw::Property, entry);
  QFETCH(PropertyType, type);
  QFETCH(int, valueBytes);
  QCOMPARE(fw::TypeOf(entry.value), type);

  const fw::PropertyList list{entry};
  QCOMPARE(list.Bytes().size(), entry.name.size() + 1 + static_cast<size_t>(valueBytes));

  const auto declared = [&](std::string_view) { return std::optional(type); };
  const std::vector<fw::Property> decoded =
      fw::PropertyList::FromBytes(list.Bytes()).Decode(declared, "Label");
  QCOMPARE(decoded.size(), size_t{1});
  QVERIFY2(decoded[0] == entry, fw::TypeName(type));
}

void tst_PropertyList::truncatedListRaises_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<QByteArray>("entry");
  const QByteArray list = Fixture();
  QTest::newRow("in the first name") << list.left(3) << QByteArray("Wid");
  QTest::newRow("before the blank") << list.left(5) << QByteArray("Width");
  QTest::newRow("after the blank") << list.left(6) << QByteArray("Width");
  QTest::newRow("mid integer") << list.left(10) << QByteArray("Width");
  QTest::newRow("integer one byte short") << list.left(13) << QByteArray("Width");
  QTest::newRow("Boolean missing") << list.left(22) << QByteArray("Visible");
  QTest::newRow("in a later name") << list.left(46) << QByteArray("Font");
  QTest::newRow("in the text count") << list.left(31) << QByteArray("Title");
  QTest::newRow("mid text") << list.left(37) << QByteArray("Title");
  QTest::newRow("text one byte short") << list.left(41) << QByteArray("Title");
  QTest::newRow("mid float") << list.left(53) << QByteArray("FontSize");
  QTest::newRow("mid colour") << list.left(68) << QByteArray("TextColor");
  QTest::newRow("mid double") << list.left(87) << QByteArray("LineHeight");
  QTest::newRow("font unit missing") << list.left(97) << QByteArray("FontUnit");
  QTest::newRow("last byte missing") << list.left(110) << QByteArray("Left");
  QTest::newRow("text count beyond the end") << Literal(
                                                    "Title "
                                                    "\xFF\xFF\xFF\xFF"
                                                    "ab")
                                             << QByteArray("Title");
}

void tst_PropertyList::truncatedListRaises() {
  QFETCH(QByteArray, bytes);
  QFETCH(QByteArray, entry);
  try {
    DecodeLabel(bytes);
    QFAIL("no exception");
  } catch (const fw::UnsupportedFormatException& error) {
    const QByteArray message(error.what());
    QVERIFY2(message.contains("\"" + entry + "\""), error.what());
  }
}

void tst_PropertyList::unknownNameRaises() {
  const auto withoutVisible = [](std::string_view name) {
    return name == "Visible" ? std::nullopt : LabelType(name);
  };
  try {
    fw::PropertyList::FromBytes(ToVector(Fixture())).Decode(withoutVisible, "Label");
    QFAIL("no exception");
  } catch (const fw::KeyNotFoundException& error) {
    QCOMPARE(QByteArray(error.what()), QByteArray("No property \"Visible\" in class Label"));
  }
}

void tst_PropertyList::nameThatCannotBeReadBackRaises() {
  QVERIFY_THROWS_EXCEPTION(fw::UnsupportedFormatException, fw::PropertyList({{"Two words", 1}}));
  QVERIFY_THROWS_EXCEPTION(fw::UnsupportedFormatException, fw::PropertyList({{"", 1}}));
}

QTEST_APPLESS_MAIN(tst_PropertyList)
#include "tst_property_list.moc"
