#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <string>

#include "framework/exceptions.h"
#include "framework/files.h"
#include "full_sentences.h"

namespace {

constexpr int kMiB = 1 << 20;

QByteArray Utf16(const QString& text, bool littleEndian) {
  QByteArray bytes = littleEndian ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
  for (const QChar c : text) {
    const char high = static_cast<char>(c.unicode() >> 8);
    const char low = static_cast<char>(c.unicode() & 0xFF);
    bytes += littleEndian ? low : high;
    bytes += littleEndian ? high : low;
  }
  return bytes;
}

// UTF-16 LE with a byte-order mark, from raw code units (lone surrogates too).
QByteArray Utf16Units(std::initializer_list<char16_t> units) {
  QByteArray bytes("\xFF\xFE");
  for (const char16_t unit : units) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

QList<QByteArray> Utf8Lines(const QStringList& lines) {
  QList<QByteArray> bytes;
  for (const QString& line : lines) {
    bytes << line.toUtf8();
  }
  return bytes;
}

QString TooLong(int line) {
  return QStringLiteral(
             "Line %1 of the file is longer than 1 MiB and cannot be read. Check that this is "
             "the text file you meant to choose.")
      .arg(line);
}

fw::Ref<fw::TextInputStream> OpenStream(const QString& path) {
  return fw::TextInputStream::Open(fw::FolderItem(path.toStdString()));
}

// Every line until EndOfFile, as the bytes ReadLine returned.
QList<QByteArray> ReadAll(fw::TextInputStream& stream) {
  QList<QByteArray> lines;
  // Bounded, so a stream that never reaches its end fails instead of hanging.
  for (int i = 0; i < 1000 && !stream.EndOfFile(); ++i) {
    lines << QByteArray::fromStdString(stream.ReadLine());
  }
  return lines;
}

}  // namespace

class tst_TextInputStream : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  int fixtures_ = 0;

  QString WriteFixture(const QByteArray& bytes) {
    const QString path = dir_.filePath(QStringLiteral("fixture%1.txt").arg(++fixtures_));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
      qFatal("cannot write %s", qPrintable(path));
    }
    return path;
  }

 private slots:
  void initTestCase() { QVERIFY(dir_.isValid()); }

  void decodesLines_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("expected");

    const QStringList lines = {QStringLiteral("Variable\tA\tB"), QString(),
                               QStringLiteral("Gr\u00F6\u00DFe \u2603 \U0001D11E\t1\t0.5")};
    const auto join = [&lines](const char* end) { return lines.join(QLatin1String(end)); };
    const QByteArray utf8Lf = join("\n").toUtf8() + '\n';

    QTest::newRow("UTF-8, LF") << utf8Lf << lines;
    QTest::newRow("UTF-8, CR LF") << (join("\r\n") + "\r\n").toUtf8() << lines;
    QTest::newRow("UTF-8, CR") << (join("\r") + "\r").toUtf8() << lines;
    QTest::newRow("UTF-8, mixed line ends")
        << (lines[0] + "\r\n" + lines[1] + "\n" + lines[2] + "\r").toUtf8() << lines;
    QTest::newRow("UTF-8, final line without end") << join("\n").toUtf8() << lines;
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + utf8Lf << lines;
    QTest::newRow("UTF-16 LE, CR LF") << Utf16(join("\r\n") + "\r\n", true) << lines;
    QTest::newRow("UTF-16 BE, LF") << Utf16(join("\n") + "\n", false) << lines;
    QTest::newRow("UTF-16 LE, mixed, no final end")
        << Utf16(lines[0] + "\r" + lines[1] + "\r\n" + lines[2], true) << lines;

    QTest::newRow("Windows-1252") << QByteArray("Caf\xE9\t\x80\x96\x81\n")
                                  << QStringList{QStringLiteral("Caf\u00E9\t\u20AC\u2013\uFFFD")};
    QTest::newRow("encoding decided per line")
        << QByteArray("Caf\xC3\xA9\nCaf\xE9\n")
        << QStringList{QStringLiteral("Caf\u00E9"), QStringLiteral("Caf\u00E9")};
    // Overlong form, encoded surrogate, truncated sequence: none is UTF-8.
    QTest::newRow("malformed UTF-8 is Windows-1252")
        << QByteArray("\xC0\xAF\n\xED\xA0\x80\nab\xE2\x82")
        << QStringList{QStringLiteral("\u00C0\u00AF"), QStringLiteral("\u00ED\u00A0\u20AC"),
                       QStringLiteral("ab\u00E2\u201A")};
    QTest::newRow("BOM-like start too short")
        << QByteArray("\xEF\xBB") << QStringList{QStringLiteral("\u00EF\u00BB")};
    QTest::newRow("NUL bytes") << QByteArray("a\0b\n\xE9\0", 6)
                               << QStringList{QStringLiteral("a\uFFFDb"),
                                              QStringLiteral("\u00E9\uFFFD")};
    QTest::newRow("UTF-16 unpaired surrogates")
        << Utf16Units({0xD834, u'a', 0xDD1E, u'\n', 0xD834})
        << QStringList{QStringLiteral("\uFFFDa\uFFFD"), QStringLiteral("\uFFFD")};
    QTest::newRow("UTF-16 odd final byte") << QByteArray(
                                                  "\xFF\xFE"
                                                  "a\0b",
                                                  5)
                                           << QStringList{QStringLiteral("a\uFFFD")};

    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("BOM only") << QByteArray("\xEF\xBB\xBF") << QStringList();
    QTest::newRow("blank lines") << QByteArray("\r\n\n") << QStringList{QString(), QString()};

    // The CR ends one read of the file and the LF starts the next.
    const QString longLine(65535, QLatin1Char('x'));
    QTest::newRow("CR LF across reads")
        << QByteArray(longLine.toLatin1() + "\r\nb") << QStringList{longLine, QStringLiteral("b")};
    const QString longUnits(32766, QLatin1Char('x'));
    QTest::newRow("UTF-16 CR LF across reads")
        << Utf16(longUnits + "\r\nb", true) << QStringList{longUnits, QStringLiteral("b")};
  }

  void decodesLines() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);

    const auto stream = OpenStream(WriteFixture(bytes));
    QCOMPARE(ReadAll(*stream), Utf8Lines(expected));
    QVERIFY(stream->EndOfFile());
    QCOMPARE(stream->ReadLine(), std::string());
    QCOMPARE(stream->ReadLine(), std::string());
    QVERIFY(stream->EndOfFile());
  }

  // Each refusal names the file, says what is wrong and what to do.
  void refusesWhatCannotBeOpenedOrRead_data() {
    QTest::addColumn<QString>("path");  // in the test's folder unless absolute
    QTest::addColumn<bool>("isFolder");
    QTest::addColumn<QString>("message");
    const QString advice = QStringLiteral(". Choose a text file that you are allowed to read.");
    QTest::newRow("missing file")
        << QStringLiteral("missing.txt") << false
        << R"(The file "missing.txt" could not be opened: No such file or directory)" + advice;
    QTest::newRow("folder") << QStringLiteral("a folder") << true
                            << R"(The file "a folder" could not be opened: Is a directory)" +
                                   advice;
#ifdef Q_OS_LINUX
    QTest::newRow("device") << QStringLiteral("/dev/null") << false
                            << R"(The file "null" could not be opened: Not a regular file)" +
                                   advice;
    // A regular file whose first read fails.
    QTest::newRow("read fails")
        << QStringLiteral("/proc/self/mem") << false
        << QStringLiteral(
               "The file \"mem\" could not be read to the end. Check that its disk or network "
               "drive is still there, then try again.");
#endif
  }

  void refusesWhatCannotBeOpenedOrRead() {
    QFETCH(QString, path);
    QFETCH(bool, isFolder);
    QFETCH(QString, message);
    if (isFolder) {
      QVERIFY(QDir(dir_.path()).mkpath(path));
    }
    try {
      OpenStream(QDir::isAbsolutePath(path) ? path : dir_.filePath(path));
      QFAIL("no IOException");
    } catch (const fw::IOException& e) {
      QCOMPARE(QString::fromStdString(e.Message()), message);
      QVERIFY(test_support::SaysWhatIsWrongAndWhatToDo(message));
    }
  }

  void refusesUnreadableFile() {
    const QString path = WriteFixture("a\n");
    QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    if (QFileInfo(path).isReadable()) {
      QSKIP("permissions are not enforced for this user");
    }
    QVERIFY_THROWS_EXCEPTION(fw::IOException, OpenStream(path));
  }

  void limitsLineLength_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<qsizetype>>("lineSizes");  // of the lines read before any error
    QTest::addColumn<QString>("error");

    const QByteArray mib(kMiB, 'x');
    QTest::newRow("exactly 1 MiB") << mib + "\r\nend" << QList<qsizetype>{kMiB, 3} << QString();
    QTest::newRow("1 MiB and a byte") << mib + "x\n" << QList<qsizetype>{} << TooLong(1);
    QTest::newRow("2 MiB after two lines")
        << "a\nb\n" + mib + mib << QList<qsizetype>{1, 1} << TooLong(3);
    // UTF-16 counts bytes of the file, two per code unit.
    const QString halfMib(kMiB / 2, QLatin1Char('x'));
    QTest::newRow("UTF-16, exactly 1 MiB")
        << Utf16(halfMib + "\nend", true) << QList<qsizetype>{kMiB / 2, 3} << QString();
    QTest::newRow("UTF-16, 1 MiB and a unit")
        << Utf16(halfMib + "x", true) << QList<qsizetype>{} << TooLong(1);
  }

  void limitsLineLength() {
    QFETCH(QByteArray, bytes);
    QFETCH(QList<qsizetype>, lineSizes);
    QFETCH(QString, error);

    const auto stream = OpenStream(WriteFixture(bytes));
    for (const qsizetype size : lineSizes) {
      QCOMPARE(qsizetype(stream->ReadLine().size()), size);
    }
    if (error.isEmpty()) {
      QVERIFY(stream->EndOfFile());
      return;
    }
    // Raised again on later reads: the rest of the file would not line up.
    for (int attempt = 0; attempt < 2; ++attempt) {
      try {
        stream->ReadLine();
        QFAIL("no IOException");
      } catch (const fw::IOException& e) {
        QCOMPARE(QString::fromStdString(e.Message()), error);
        QVERIFY(test_support::SaysWhatIsWrongAndWhatToDo(error));
      }
    }
  }

  void refusesHugeLineWithoutReadingIt() {
    // A sparse file: a gigabyte of NUL bytes and no line end.
    const QString path = dir_.filePath(QStringLiteral("huge.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(qint64(1024) * kMiB)) {
      QSKIP("cannot make a large sparse file here");
    }
    file.close();
    QElapsedTimer timer;
    timer.start();
    const auto stream = OpenStream(path);
    QVERIFY_THROWS_EXCEPTION(fw::IOException, stream->ReadLine());
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
    QFile::remove(path);
  }

  void closeIsIdempotent() {
    const auto stream = OpenStream(WriteFixture("a\nb\n"));
    QCOMPARE(stream->ReadLine(), std::string("a"));
    stream->Close();
    stream->Close();
    QVERIFY(stream->EndOfFile());
    QCOMPARE(stream->ReadLine(), std::string());
  }

  void fileTypeRegistersOnce() {
    const std::string name = "Quillmere test matrix";
    QCOMPARE(fw::RegisteredFileType(name), nullptr);
    const fw::FileType* registered = nullptr;
    {
      fw::FileType first;
      first.Name = name;
      first.Extensions = ".txt";
      QCOMPARE(static_cast<std::string>(first), name);
      registered = fw::RegisteredFileType(name);
      QVERIFY(registered != nullptr);
    }
    // The registry's copy outlives the object it was converted from.
    QCOMPARE(registered->Extensions, std::string(".txt"));

    fw::FileType second;
    second.Name = name;
    second.Extensions = ".tab";
    QCOMPARE(second.Operator_Convert(), name);
    QCOMPARE(fw::RegisteredFileType(name), registered);
    QCOMPARE(registered->Extensions, std::string(".txt"));
    QCOMPARE(fw::RegisteredFileType("no such type"), nullptr);
  }

  void folderItem_data() {
    QTest::addColumn<QString>("path");  // in the temporary folder; empty stays empty
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("isFolder");
    QTest::newRow("file") << QStringLiteral("data.txt") << QStringLiteral("data.txt") << true
                          << false;
    QTest::newRow("folder") << QStringLiteral("sub") << QStringLiteral("sub") << true << true;
    QTest::newRow("folder, trailing slash")
        << QStringLiteral("sub/") << QStringLiteral("sub") << true << true;
    QTest::newRow("missing") << QStringLiteral("sub/none.txt") << QStringLiteral("none.txt")
                             << false << false;
    QTest::newRow("empty path") << QString() << QString() << false << false;
  }

  void folderItem() {
    QFETCH(QString, path);
    QFETCH(QString, name);
    QFETCH(bool, exists);
    QFETCH(bool, isFolder);
    QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("sub")));
    QFile data(dir_.filePath(QStringLiteral("data.txt")));
    QVERIFY(data.open(QIODevice::WriteOnly));
    data.close();

    const fw::FolderItem item(path.isEmpty() ? std::string() : dir_.filePath(path).toStdString());
    QCOMPARE(QString::fromStdString(item.Name()), name);
    QCOMPARE(item.Exists(), exists);
    QCOMPARE(item.IsFolder(), isFolder);
  }

  void classRecords() {
    QCOMPARE(&fw::TextInputStream::Lookup(), &fw::TextInputStream::Lookup());
    QCOMPARE(fw::TextInputStream::Lookup().name, std::string("TextInputStream"));
    QCOMPARE(fw::RuntimeNewObject(fw::FileType::Lookup())->Class().name, std::string("FileType"));
    QCOMPARE(fw::RuntimeNewObject(fw::FolderItem::Lookup())->Class().name,
             std::string("FolderItem"));
  }
};

QTEST_GUILESS_MAIN(tst_TextInputStream)
#include "tst_text_input_stream.moc"
