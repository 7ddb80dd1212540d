#include "encodingdetection.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

namespace {

// Lyrics as they are written in each script; long enough for a detector to
// tell, as whole songs are.
const QString kSimplified = QStringLiteral(
    "[ti:月亮代表我的心]\r\n[ar:邓丽君]\r\n[00:01.00]你问我爱你有多深\r\n[00:05.00]我爱你有几分\r\n"
    "[00:09.00]我的情也真\r\n[00:13.00]我的爱也真\r\n[00:17.00]月亮代表我的心\r\n");
const QString kTraditional = QStringLiteral(
    "[ti:月亮代表我的心]\r\n[ar:鄧麗君]\r\n[00:01.00]你問我愛你有多深\r\n[00:05.00]我愛你有幾分\r\n"
    "[00:09.00]我的情也真\r\n[00:13.00]我的愛也真\r\n[00:17.00]月亮代表我的心\r\n");
const QString kJapanese = QStringLiteral(
    "[ti:さくら]\r\n[ar:森山直太朗]\r\n[00:01.00]僕らはきっと待ってる\r\n[00:05.00]君とまた会える日々を\r\n"
    "[00:09.00]さくら並木の道の上で\r\n[00:13.00]手を振り叫ぶよ\r\n");
const QString kKorean = QStringLiteral(
    "[ti:아리랑]\r\n[ar:민요]\r\n[00:01.00]아리랑 아리랑 아라리요\r\n[00:05.00]아리랑 고개로 넘어간다\r\n"
    "[00:09.00]나를 버리고 가시는 님은\r\n[00:13.00]십리도 못가서 발병난다\r\n");
// Hangul that only the extended Korean code page (UHC) holds.
const QString kKoreanExtended = kKorean + QStringLiteral("[00:17.00]똠방각하 뷁 햏\r\n");
const QString kChineseVerse = QStringLiteral("你问我爱你有多深我爱你有几分我的情也真我的爱也真月亮代表我的心\r\n");

QByteArray encoded(const char *encoding, const QString &text)
{
    QStringEncoder encoder(encoding);
    if (!encoder.isValid())
        qFatal("no encoder for %s", encoding);
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        qFatal("%s cannot hold the sample", encoding);
    return bytes;
}

} // namespace

class TestEncodingDetection : public QObject
{
    Q_OBJECT

private slots:
    void readsLyricFiles_data();
    void readsLyricFiles();
    void detectorNamesMapToDecoders_data();
    void detectorNamesMapToDecoders();
    void nearlyUtf8_data();
    void nearlyUtf8();
    void strayBytesBecomeReplacementCharacters();
    void binaryFiles_data();
    void binaryFiles();
    void utf8InPiecesAsWhole_data();
    void utf8InPiecesAsWhole();
};

void TestEncodingDetection::readsLyricFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("encoding");

    const QString s = kSimplified;
    QTest::newRow("UTF-8") << s.toUtf8() << s << "UTF-8";
    QTest::newRow("UTF-8, mark") << "\xef\xbb\xbf" + s.toUtf8() << s << "UTF-8";
    QTest::newRow("UTF-16LE, mark") << QByteArray("\xff\xfe") + encoded("UTF-16LE", s) << s << "UTF-16LE";
    QTest::newRow("UTF-16BE, mark") << QByteArray("\xfe\xff") + encoded("UTF-16BE", s) << s << "UTF-16BE";
    QTest::newRow("UTF-32LE, mark") << QByteArray("\xff\xfe\0\0", 4) + encoded("UTF-32LE", s) << s << "UTF-32LE";
    QTest::newRow("UTF-32BE, mark") << QByteArray("\0\0\xfe\xff", 4) + encoded("UTF-32BE", s) << s << "UTF-32BE";
    QTest::newRow("UTF-16LE, no mark") << encoded("UTF-16LE", s) << s << "UTF-16LE";
    QTest::newRow("UTF-16BE, no mark") << encoded("UTF-16BE", s) << s << "UTF-16BE";
    QTest::newRow("UTF-16LE, one ASCII unit in 16")
        << encoded("UTF-16LE", QString(15, QChar(0x6211)) + u'\n') << QString(15, QChar(0x6211)) + u'\n'
        << "UTF-16LE";
    QTest::newRow("GBK") << encoded("GBK", s) << s << "GB18030";
    QTest::newRow("GB18030 beyond GBK") << encoded("GB18030", s + QStringLiteral("𠀀\r\n"))
                                        << s + QStringLiteral("𠀀\r\n") << "GB18030";
    QTest::newRow("GBK, traditional characters") << encoded("GBK", kTraditional) << kTraditional << "GB18030";
    QTest::newRow("Big5") << encoded("Big5", kTraditional) << kTraditional << "Big5";
    QTest::newRow("EUC-TW") << encoded("EUC-TW", kTraditional) << kTraditional << "EUC-TW";
    QTest::newRow("HZ") << encoded("HZ-GB-2312", kChineseVerse.repeated(5)) << kChineseVerse.repeated(5)
                        << "HZ-GB-2312";
    QTest::newRow("Shift_JIS") << encoded("Shift_JIS", kJapanese) << kJapanese << "Shift_JIS";
    QTest::newRow("EUC-JP") << encoded("EUC-JP", kJapanese) << kJapanese << "EUC-JP";
    QTest::newRow("ISO-2022-JP") << encoded("ISO-2022-JP", kJapanese) << kJapanese << "ISO-2022-JP";
    QTest::newRow("EUC-KR") << encoded("EUC-KR", kKorean) << kKorean << "EUC-KR";
    QTest::newRow("UHC") << encoded("windows-949", kKoreanExtended) << kKoreanExtended << "windows-949";
    QTest::newRow("ISO-2022-KR") << encoded("ISO-2022-KR", kKorean) << kKorean << "ISO-2022-KR";

    QTest::newRow("ASCII with a tilde and a brace") << QByteArray("[00:01.00]~{smile}~\r\n")
                                                    << QStringLiteral("[00:01.00]~{smile}~\r\n") << "UTF-8";
    // Too short for the detector to be sure, and no mark: GB18030.
    QTest::newRow("two GBK characters") << QByteArray("\xc4\xe3\xba\xc3") << QStringLiteral("你好") << "GB18030";
    // A mark in front of bytes that are not UTF-8 at all is not believed.
    QTest::newRow("UTF-8 mark before GBK") << "\xef\xbb\xbf" + encoded("GBK", s) << s << "GB18030";
    // Western text is not what the program reads; it takes the last resort.
    const QByteArray latin1("[00:01.00]caf\xe9 cr\xe8me br\xfbl\xe9\x65\r\n");
    QTest::newRow("Latin-1 falls to GB18030")
        << latin1 << QString(QStringDecoder("GB18030").decode(latin1)) << "GB18030";
    QTest::newRow("nothing") << QByteArray() << QString() << "UTF-8";
}

void TestEncodingDetection::readsLyricFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(QString, encoding);
    const DecodedText decoded = decodeDetected(bytes);
    QVERIFY(decoded.isText);
    QCOMPARE(decoded.encoding, encoding);
    QCOMPARE(decoded.text, text);
}

void TestEncodingDetection::detectorNamesMapToDecoders_data()
{
    QTest::addColumn<QByteArray>("detectorName");
    QTest::addColumn<QStringList>("decoders");
    QTest::addColumn<QString>("sample");
    QTest::addColumn<QByteArray>("sampleBytes");

    // Every name uchardet 0.0.7 has for Chinese, Japanese, Korean and
    // Unicode text, with a sample it gives that name for. It never names
    // EUC-KR (Korean is always "UHC") nor ISO-2022-CN, but they are mapped.
    const auto row = [](const char *name, const QStringList &decoders, const QString &sample,
                        const QByteArray &bytes) {
        QTest::newRow(name) << QByteArray(name) << decoders << sample << bytes;
    };
    row("UTF-8", {"UTF-8"}, kSimplified, kSimplified.toUtf8());
    row("UTF-16", {"UTF-16"}, kSimplified, QByteArray("\xff\xfe") + encoded("UTF-16LE", kSimplified));
    row("UTF-32", {"UTF-32"}, kSimplified, QByteArray("\0\0\xfe\xff", 4) + encoded("UTF-32BE", kSimplified));
    row("GB18030", {"GB18030"}, kSimplified, encoded("GB18030", kSimplified));
    row("HZ-GB-2312", {"HZ-GB-2312"}, kChineseVerse.repeated(5), encoded("HZ-GB-2312", kChineseVerse.repeated(5)));
    row("ISO-2022-CN", {"ISO-2022-CN"}, kSimplified, QByteArray());
    row("BIG5", {"Big5"}, kTraditional, encoded("Big5", kTraditional));
    row("EUC-TW", {"EUC-TW"}, kTraditional, encoded("EUC-TW", kTraditional));
    row("SHIFT_JIS", {"Shift_JIS"}, kJapanese, encoded("Shift_JIS", kJapanese));
    row("EUC-JP", {"EUC-JP"}, kJapanese, encoded("EUC-JP", kJapanese));
    row("ISO-2022-JP", {"ISO-2022-JP"}, kJapanese, encoded("ISO-2022-JP", kJapanese));
    row("EUC-KR", {"EUC-KR"}, kKorean, QByteArray());
    row("UHC", {"EUC-KR", "windows-949"}, kKoreanExtended, encoded("windows-949", kKoreanExtended));
    row("ISO-2022-KR", {"ISO-2022-KR"}, kKorean, encoded("ISO-2022-KR", kKorean));
    // Names of other scripts are not taken.
    row("ISO-8859-1", {}, QString(), encoded("ISO-8859-1", QStringLiteral("[00:01.00]Où est la fenêtre? Ça va très bien, garçon.\r\n")));
    row("WINDOWS-1252", {}, QString(), QByteArray());
    row("ASCII", {}, QString(), QByteArray("[00:01.00]plain\r\n"));
}

void TestEncodingDetection::detectorNamesMapToDecoders()
{
    QFETCH(QByteArray, detectorName);
    QFETCH(QStringList, decoders);
    QFETCH(QString, sample);
    QFETCH(QByteArray, sampleBytes);

    QCOMPARE(decoderNamesForDetected(detectorName), decoders);
    QCOMPARE(decoderNamesForDetected(detectorName.toLower()), decoders);
    if (!sampleBytes.isEmpty())
        QCOMPARE(detectorGuess(sampleBytes), detectorName);

    // The last decoder of the list reads every sample of its name; for
    // samples written in another encoding, it is encoded here.
    if (decoders.isEmpty())
        return;
    const QByteArray name = decoders.constLast().toLatin1();
    const QByteArray bytes = sampleBytes.isEmpty() ? encoded(name.constData(), sample) : sampleBytes;
    QStringDecoder decoder(name.constData(), QStringConverter::Flag::Stateless);
    QVERIFY2(decoder.isValid(), name.constData());
    const QString text = decoder.decode(bytes);
    QVERIFY(!decoder.hasError());
    QCOMPARE(text, sample);
}

void TestEncodingDetection::nearlyUtf8_data()
{
    QTest::addColumn<int>("sequences");
    QTest::addColumn<QByteArray>("stray");
    QTest::addColumn<bool>("strayFirst");
    QTest::addColumn<bool>("nearly");

    // The boundary: one stray byte for every kNearlyUtf8Ratio valid sequences.
    QCOMPARE(kNearlyUtf8Ratio, 8);
    QTest::newRow("8 sequences, 1 stray byte") << 8 << QByteArray("\xff") << false << true;
    QTest::newRow("7 sequences, 1 stray byte") << 7 << QByteArray("\xff") << false << false;
    QTest::newRow("16 sequences, 2 stray bytes") << 16 << QByteArray("\xb5\xda") << false << true;
    QTest::newRow("16 sequences, 3 stray bytes") << 16 << QByteArray("\xb5\xda\xd2") << false << false;
    QTest::newRow("cut sequence is 2 stray bytes") << 15 << QByteArray("\xe4\xbd") << false << false;
    QTest::newRow("overlong form is stray") << 8 << QByteArray("\xc0") << false << true;
    QTest::newRow("surrogate is 3 stray bytes") << 23 << QByteArray("\xed\xa0\x80") << false << false;
    QTest::newRow("surrogate, enough sequences") << 24 << QByteArray("\xed\xa0\x80") << false << true;
    QTest::newRow("no sequence at all") << 0 << QByteArray("\xff") << false << false;
    QTest::newRow("ASCII alone") << 0 << QByteArray() << false << false;
    // Stray bytes first, then only sequences of two bytes: the fewest bytes
    // the sequences that make up for them can take. Giving up early must not
    // come too soon.
    QTest::newRow("stray first, just enough after") << 8 << QByteArray("\xff") << true << true;
    QTest::newRow("stray first, one too few after") << 7 << QByteArray("\xff") << true << false;
    QTest::newRow("2 stray first, just enough after") << 16 << QByteArray("\xb5\xda") << true << true;
}

void TestEncodingDetection::nearlyUtf8()
{
    QFETCH(int, sequences);
    QFETCH(QByteArray, stray);
    QFETCH(bool, strayFirst);
    QFETCH(bool, nearly);

    QByteArray bytes;
    if (strayFirst) {
        bytes = stray + QByteArray("\xc3\xa9").repeated(sequences);
    } else {
        // Sequences of every length: 2, 3 and 4 bytes.
        const QByteArrayList pieces{"\xc3\xa9", "\xe4\xbd\xa0", "\xf0\x9f\x8e\xb5"};
        bytes = "[00:01.00]";
        for (int n = 0; n < sequences; ++n)
            bytes += pieces.at(n % 3) + ' ';
        bytes += stray + "\r\n";
    }
    QCOMPARE(isNearlyUtf8(bytes), nearly);
}

void TestEncodingDetection::strayBytesBecomeReplacementCharacters()
{
    // One stray GBK character in a UTF-8 file: its two bytes show as two
    // replacement characters and nothing else changes.
    const QByteArray bytes = kSimplified.toUtf8() + "[00:21.00]\xb5\xda\r\n";
    const DecodedText decoded = decodeDetected(bytes);
    QCOMPARE(decoded.encoding, QStringLiteral("UTF-8"));
    QCOMPARE(decoded.text, kSimplified + QStringLiteral("[00:21.00]\ufffd\ufffd\r\n"));
}

void TestEncodingDetection::binaryFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("binary");

    QTest::newRow("zero byte in ASCII") << QByteArray("[00:01.00]a\0b\r\n", 15) << true;
    QTest::newRow("zero byte in ASCII, even length") << QByteArray("[00:01.00]a\0bc\r\n", 16) << true;
    QTest::newRow("UTF-16LE, less than one ASCII unit in 16")
        << encoded("UTF-16LE", QString(16, QChar(0x6211)) + u'\n') << true;
    QTest::newRow("zero byte after UTF-8 mark") << QByteArray("\xef\xbb\xbf[00:01.00]\0", 14) << true;
    QTest::newRow("image header") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << true;
    QTest::newRow("zero pairs") << QByteArray("a\0\0\0b\0c\0", 8) << true;
    QTest::newRow("odd length with zeros") << QByteArray("a\0b\0c", 5) << true;
    QTest::newRow("UTF-16LE without mark") << encoded("UTF-16LE", kSimplified) << false;
    QTest::newRow("UTF-16BE with mark") << QByteArray("\xfe\xff") + encoded("UTF-16BE", kSimplified) << false;
    QTest::newRow("UTF-32LE with mark") << QByteArray("\xff\xfe\0\0", 4) + encoded("UTF-32LE", kSimplified) << false;
    QTest::newRow("no zero byte") << QByteArray("\x01\x02\xff") << false;
}

void TestEncodingDetection::binaryFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, binary);
    QCOMPARE(looksBinary(bytes), binary);
    const DecodedText decoded = decodeDetected(bytes);
    QCOMPARE(decoded.isText, !binary);
    if (binary)
        QVERIFY(decoded.text.isEmpty());
}

void TestEncodingDetection::utf8InPiecesAsWhole_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("utf8");
    QTest::addColumn<bool>("sevenBitCjk");

    QTest::newRow("Chinese and ASCII") << kSimplified.toUtf8() << true << false;
    QTest::newRow("four-byte characters") << QStringLiteral("[00:01.00]𠀀😀x𠀁\r\n").toUtf8() << true << false;
    QTest::newRow("no ASCII at all") << QStringLiteral("你好世界").toUtf8() << true << false;
    QTest::newRow("mark at the start") << "\xef\xbb\xbf" + kSimplified.toUtf8() << true << false;
    QTest::newRow("U+FEFF after ASCII") << QByteArray("a\xef\xbb\xbf\xef\xbb\xbf") << true << false;
    QTest::newRow("stray byte") << QByteArray("[00:01.00]\xff\r\n") << false << false;
    QTest::newRow("cut character at the end") << QByteArray("[00:01.00]\xe4\xbd") << false << false;
    QTest::newRow("GBK") << encoded("GBK", kSimplified) << false << false;
    QTest::newRow("zero byte") << QByteArray("a\0b", 3) << false << false;
    QTest::newRow("HZ") << QByteArray("[00:01.00]~{<:Ky2;S{#,NpJ)l6HK!#~}\r\n") << true << true;
    QTest::newRow("ISO-2022-JP") << QByteArray("\x1b$B$3$s\x1b(B\r\n") << true << true;
    QTest::newRow("tilde and brace apart") << QByteArray("~ {") << true << false;
    QTest::newRow("escape after Chinese") << QStringLiteral("你\x1b").toUtf8() << true << false;
    QTest::newRow("nothing") << QByteArray() << true << false;
}

void TestEncodingDetection::utf8InPiecesAsWhole()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, utf8);
    QFETCH(bool, sevenBitCjk);
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString whole = decoder.decode(bytes);

    // Handed over as a file is read: a few bytes more each time, the bytes
    // not taken handed again.
    for (qsizetype step = 1; step <= 7; ++step) {
        QString text;
        Utf8PieceReader reader(text);
        QByteArrayView rest = bytes;
        qsizetype held = 0;
        bool gaveUp = false;
        for (bool last = false; !last && !gaveUp;) {
            held = qMin(held + step, rest.size());
            last = held == rest.size();
            const qsizetype taken = reader.read(rest.first(held), last);
            gaveUp = taken < 0;
            if (!gaveUp) {
                rest = rest.sliced(taken);
                held -= taken;
            }
        }
        QCOMPARE(!gaveUp, utf8);
        if (utf8) {
            QCOMPARE(text, whole);
            QCOMPARE(reader.mayBeSevenBitCjk(), sevenBitCjk);
        }
    }
}

QTEST_GUILESS_MAIN(TestEncodingDetection)
#include "tst_encodingdetection.moc"
