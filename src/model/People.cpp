#include "model/People.h"

#include "model/EventRows.h"
#include "model/InstallPaths.h"

#include <QCoreApplication>
#include <QTextBoundaryFinder>
#include <QTextCodec>
#include <QTranslator>

#include <algorithm>
#include <functional>

namespace {

// The directory's own texts, translated in the "People" context.
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(People)
};

bool byUserAndDay(const Tenure& a, const Tenure& b)
{
    return a.user != b.user ? a.user < b.user : a.from < b.from;
}

bool overlap(const Tenure& a, const Tenure& b)
{
    return a.user == b.user && (a.isOpen() || b.from <= a.until) && (b.isOpen() || a.from <= b.until);
}

QString userName(int user)
{
    return UserText(code(EventCode::ValidCode), user);
}

int visibleLength(const QString& text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int n = 0;
    while (finder.toNextBoundary() > 0)
        ++n;
    return n;
}

// What a name would carry unseen into a table or a terminal: control characters, line breaks,
// and the marks that reverse the direction of text.
bool hasControl(const QString& text)
{
    for (const QChar c : text) {
        const ushort u = c.unicode();
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line
            || category == QChar::Separator_Paragraph || (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069))
            return true;
    }
    return false;
}

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The first characters ToCsv guards against a spreadsheet taking a cell for a formula.
bool isFormulaStart(QChar c)
{
    return QStringLiteral("=+-@\t\r").contains(c);
}

// One or more apostrophes, then what ToCsv guards: the shape that loses one apostrophe on import.
bool isGuarded(const QString& cell)
{
    int k = 0;
    while (k < cell.size() && cell.at(k) == QLatin1Char('\''))
        ++k;
    return k > 0 && k < cell.size() && isFormulaStart(cell.at(k));
}

// Days as day numbers, so that a lookup compares integers.
constexpr qint64 SecondsPerDay = 86400;
const qint64 epochDay = QDate(2000, 1, 1).toJulianDay();
const qint64 firstKnownDay = QDate(2001, 1, 1).toJulianDay();
const qint64 firstDay = QDate(1, 1, 1).toJulianDay();
const qint64 lastDay = QDate(9999, 12, 31).toJulianDay();

qint64 floorDays(qint64 seconds)
{
    const qint64 days = seconds / SecondsPerDay;
    return seconds % SecondsPerDay < 0 ? days - 1 : days;
}

// The user names a listing may give, by their source texts in the "MainWindow" context: as the
// events table names users, and as the users table does.
struct SourceName
{
    const char* text;
    int user;
};

const SourceName seniorNames[] = {
    { QT_TRANSLATE_NOOP("MainWindow", "Manager"), users::Manager },
    { QT_TRANSLATE_NOOP("MainWindow", "Manager 02"), users::Manager2 },
    { QT_TRANSLATE_NOOP("MainWindow", "Manager 03"), users::Manager3 },
    { QT_TRANSLATE_NOOP("MainWindow", "Master"), users::Master },
    { QT_TRANSLATE_NOOP("MainWindow", "Master 02"), users::Master2 },
    { QT_TRANSLATE_NOOP("MainWindow", "Manager 2"), users::Manager2 },
    { QT_TRANSLATE_NOOP("MainWindow", "Manager 3"), users::Manager3 },
    { QT_TRANSLATE_NOOP("MainWindow", "Master 2"), users::Master2 },
};
const char* const numberedUser = QT_TRANSLATE_NOOP("MainWindow", "User %1");
const char* const userWord = QT_TRANSLATE_NOOP("MainWindow", "User");
const char* const personWord = QT_TRANSLATE_NOOP("People", "Person");
const char* const fromWord = QT_TRANSLATE_NOOP("People", "From");
const char* const untilWord = QT_TRANSLATE_NOOP("People", "Until");

QString matchKey(const QString& text)
{
    return text.simplified().toCaseFolded();
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

bool IsNamableUser(int user)
{
    return (user >= users::FirstUser && user <= users::LastUser) || (user >= users::Manager && user <= users::Manager3)
        || user == users::Master || user == users::Master2;
}

bool operator==(const Tenure& a, const Tenure& b)
{
    return a.user == b.user && a.person == b.person && a.from == b.from && a.until == b.until;
}

bool ParsePeopleDay(const QString& text, QDate* day, QString* error)
{
    const QString t = text.trimmed();
    bool shaped = t.size() == 10 && t.at(4) == QLatin1Char('-') && t.at(7) == QLatin1Char('-');
    for (int k = 0; shaped && k < t.size(); ++k)
        shaped = k == 4 || k == 7 || isAsciiDigit(t.at(k));
    const QDate parsed = shaped ? QDate(t.leftRef(4).toInt(), t.midRef(5, 2).toInt(), t.midRef(8, 2).toInt()) : QDate();
    if (!parsed.isValid()) {
        *error = Text::tr("'%1' is not a day: write it as YYYY-MM-DD.").arg(t);
        return false;
    }
    *day = parsed;
    return true;
}

QString PeopleDayText(const QDate& day)
{
    return day.isValid() ? day.toString(QStringLiteral("yyyy-MM-dd")) : QString();
}

QString PersonName(const QString& text)
{
    return text.trimmed();
}

QString TenureError(const Tenure& t)
{
    if (!IsNamableUser(t.user))
        return Text::tr("User number %1 cannot be named: people hold users 1 to 59, the managers (60 to 62) "
                        "and the masters (80 and 81).")
            .arg(t.user);
    if (t.person.trimmed().isEmpty())
        return Text::tr("The name of the person is empty.");
    if (visibleLength(t.person) > MaxPersonLength)
        return Text::tr("The name of the person is longer than 80 characters.");
    if (hasControl(t.person))
        return Text::tr("The name of the person holds a line break, a tab or another control character.");
    if (!t.from.isValid())
        return Text::tr("The tenure has no first day.");
    if (!t.isOpen() && t.until < t.from)
        return Text::tr("The last day, %1, is before the first, %2.").arg(PeopleDayText(t.until), PeopleDayText(t.from));
    return QString();
}

QString TenureText(const Tenure& t)
{
    if (t.isOpen())
        return Text::tr("%1 is %2 since %3").arg(userName(t.user), t.person, PeopleDayText(t.from));
    return Text::tr("%1 is %2 from %3 to %4").arg(userName(t.user), t.person, PeopleDayText(t.from), PeopleDayText(t.until));
}

PeopleChange SetTenure(const Tenures& directory, Tenure tenure)
{
    tenure.person = PersonName(tenure.person);
    PeopleChange change{ directory, TenureError(tenure) };
    if (!change.ok())
        return change;
    Tenures next;
    next.reserve(directory.size() + 1);
    for (Tenure t : directory) {
        if (overlap(t, tenure)) {
            if (!(t.isOpen() && t.from < tenure.from)) {
                change.error = TenureText(t);
                return change;
            }
            t.until = tenure.from.addDays(-1);
        }
        next.append(t);
    }
    next.append(tenure);
    std::stable_sort(next.begin(), next.end(), byUserAndDay);
    change.tenures = next;
    return change;
}

PeopleChange RemoveTenure(const Tenures& directory, int user, const QDate& from)
{
    PeopleChange change{ directory, QString() };
    const auto found = std::find_if(directory.cbegin(), directory.cend(),
                                    [&](const Tenure& t) { return t.user == user && t.from == from; });
    if (found == directory.cend()) {
        change.error = IsNamableUser(user) ? Text::tr("%1 has no tenure from %2.").arg(userName(user), PeopleDayText(from))
                                           : TenureError(Tenure{ user, QString(), from, QDate() });
        return change;
    }
    change.tenures.remove(int(found - directory.cbegin()));
    return change;
}

PeopleIndex::PeopleIndex(const Tenures& directory)
{
    for (const Tenure& t : directory) {
        if (t.user >= 0 && t.user < UserSlots && IsNamableUser(t.user) && t.from.isValid())
            m_byUser[size_t(t.user)].append(t);
    }
    for (Tenures& tenures : m_byUser)
        std::stable_sort(tenures.begin(), tenures.end(), byUserAndDay);
}

const Tenure* PeopleIndex::covering(int user, const QDate& day) const
{
    if (user < 0 || user >= UserSlots || !day.isValid())
        return nullptr;
    const Tenures& tenures = m_byUser[size_t(user)];
    // Tenures of one user never overlap: only the last one begun by `day` can cover it.
    const auto after = std::upper_bound(tenures.cbegin(), tenures.cend(), day,
                                        [](const QDate& d, const Tenure& t) { return d < t.from; });
    if (after == tenures.cbegin())
        return nullptr;
    const Tenure& candidate = *(after - 1);
    return candidate.covers(day) ? &candidate : nullptr;
}

QString PeopleIndex::person(int event, int user, qint64 time) const
{
    // The user byte of these is an option or a configuration, not a user.
    if (Is(event, EventCode::OptionChanged) || Is(event, EventCode::ConfigurationChanged) || !IsNamableUser(user)
        || time == 0)
        return QString();
    const qint64 day = epochDay + floorDays(time);
    if (day < firstKnownDay && day >= epochDay)
        return QString();
    if (day < firstDay || day > lastDay)
        return QString();
    const Tenure* t = covering(user, QDate::fromJulianDay(day));
    return t ? t->person : QString();
}

QVector<int> UnnamedUsers(const Tenures& directory, const Config& config, const QDate& day)
{
    constexpr quint8 installed = 1;
    constexpr quint8 disabled = 2;
    const PeopleIndex index(directory);
    QVector<int> unnamed;
    for (int user = 0; user < UserSlots; ++user) {
        const quint8 status = config.userStatus[size_t(user)];
        if (IsNamableUser(user) && (status == installed || status == disabled) && !index.covering(user, day))
            unnamed.append(user);
    }
    return unnamed;
}

QStringList PeopleColumnHeaders()
{
    return { QCoreApplication::translate("MainWindow", userWord), Text::tr(personWord), Text::tr(fromWord),
             Text::tr(untilWord) };
}

TextTable PeopleTextTable(const Tenures& directory, const QVector<int>& unnamed)
{
    Tenures sorted = directory;
    std::stable_sort(sorted.begin(), sorted.end(), byUserAndDay);
    QVector<int> blanks = unnamed;
    std::sort(blanks.begin(), blanks.end());
    blanks.erase(std::unique(blanks.begin(), blanks.end()), blanks.end());

    TextTable table;
    table.header = PeopleColumnHeaders();
    auto t = sorted.cbegin();
    auto b = blanks.cbegin();
    while (t != sorted.cend() || b != blanks.cend()) {
        // A user's blank row comes after all its tenures.
        if (t != sorted.cend() && (b == blanks.cend() || t->user <= *b)) {
            table.rows.append({ userName(t->user), t->person, PeopleDayText(t->from), PeopleDayText(t->until) });
            ++t;
        } else {
            table.rows.append({ userName(*b), QString(), QString(), QString() });
            ++b;
        }
    }
    return table;
}

QByteArray PeopleCsv(const TextTable& listing)
{
    TextTable guarded = listing;
    for (QStringList& row : guarded.rows) {
        for (QString& cell : row) {
            if (isGuarded(cell))
                cell.prepend(QLatin1Char('\''));
        }
    }
    return ToCsv(guarded);
}

PeopleVocabulary::PeopleVocabulary(const QList<const QTranslator*>& catalogues)
{
    // Each text in English, in the language installed now, and in each catalogue.
    QVector<std::function<QString(const char*, const char*)>> languages;
    languages.append([](const char*, const char* text) { return QString::fromUtf8(text); });
    languages.append([](const char* context, const char* text) { return QCoreApplication::translate(context, text); });
    for (const QTranslator* catalogue : catalogues)
        languages.append([catalogue](const char* context, const char* text) { return catalogue->translate(context, text); });

    for (const auto& translate : languages) {
        for (const SourceName& name : seniorNames) {
            const QString text = translate("MainWindow", name.text);
            if (!text.isEmpty())
                m_users.insert(matchKey(text), name.user);
        }
        const QString numbered = translate("MainWindow", numberedUser);
        const QString word = translate("MainWindow", userWord);
        for (int user = users::FirstUser; user <= users::LastUser; ++user) {
            if (!numbered.isEmpty())
                m_users.insert(matchKey(numbered.arg(twoDigits(user))), user);
            // The users table writes the word and the number apart.
            if (!word.isEmpty())
                m_users.insert(matchKey(word + QLatin1Char(' ') + twoDigits(user)), user);
        }
        int column = 0;
        for (const auto& source : { std::make_pair("MainWindow", userWord), std::make_pair("People", personWord),
                                    std::make_pair("People", fromWord), std::make_pair("People", untilWord) }) {
            const QString text = translate(source.first, source.second);
            if (!text.isEmpty())
                m_columns.insert(matchKey(text), column);
            ++column;
        }
    }
}

PeopleVocabulary PeopleVocabulary::load()
{
    QTranslator catalogues[2];
    QList<const QTranslator*> found;
    const char* const languages[] = { "it", "es" };
    for (int k = 0; k < 2; ++k) {
        for (const QString& dir : installpaths::TranslationDirectories()) {
            if (catalogues[k].load(QStringLiteral("audit_%1.qm").arg(QLatin1String(languages[k])), dir, QString(), QString())) {
                found.append(&catalogues[k]);
                break;
            }
        }
    }
    return PeopleVocabulary(found);
}

int PeopleVocabulary::userNumber(const QString& text) const
{
    const QString t = text.trimmed();
    if (!t.isEmpty() && t.size() <= 3 && std::all_of(t.cbegin(), t.cend(), isAsciiDigit))
        return t.toInt();
    return m_users.value(matchKey(t), -1);
}

bool PeopleVocabulary::isHeader(const QStringList& cells) const
{
    int size = cells.size();
    // A spreadsheet may carry empty columns along.
    while (size > 4 && cells.at(size - 1).trimmed().isEmpty())
        --size;
    if (size != 4)
        return false;
    for (int k = 0; k < size; ++k) {
        if (m_columns.value(matchKey(cells.at(k)), -1) != k)
            return false;
    }
    return true;
}

namespace {

struct CsvRecord
{
    int line = 0; // where the record begins
    QVector<QByteArray> fields;
};

// Splits the bytes into records. The separators, quotes and line ends are ASCII, so UTF-8 text
// passes through untouched and is decoded field by field afterwards. False with "line N: why".
bool splitCsv(const QByteArray& bytes, char separator, QVector<CsvRecord>* records, QString* error)
{
    int line = 1;
    int k = 0;
    const int n = bytes.size();
    while (k < n) {
        CsvRecord record;
        record.line = line;
        QByteArray field;
        bool ended = false;
        while (!ended) {
            if (k < n && bytes.at(k) == '"') {
                const int opened = line;
                ++k;
                for (;;) {
                    if (k >= n) {
                        *error = Text::tr("line %1: a quoted field is not closed.").arg(opened);
                        return false;
                    }
                    const char c = bytes.at(k++);
                    if (c == '"') {
                        if (k < n && bytes.at(k) == '"') {
                            field += '"';
                            ++k;
                            continue;
                        }
                        break;
                    }
                    if (c == '\n' || (c == '\r' && (k >= n || bytes.at(k) != '\n')))
                        ++line;
                    field += c;
                }
                if (k < n && bytes.at(k) != separator && bytes.at(k) != '\r' && bytes.at(k) != '\n') {
                    *error = Text::tr("line %1: text follows a closing quote.").arg(line);
                    return false;
                }
            } else {
                while (k < n && bytes.at(k) != separator && bytes.at(k) != '\r' && bytes.at(k) != '\n')
                    field += bytes.at(k++);
            }
            record.fields.append(field);
            field.clear();
            if (k >= n) {
                ended = true;
            } else if (bytes.at(k) == separator) {
                ++k;
            } else {
                if (bytes.at(k) == '\r' && k + 1 < n && bytes.at(k + 1) == '\n')
                    ++k;
                ++k;
                ++line;
                ended = true;
            }
        }
        records->append(record);
    }
    return true;
}

bool decodeUtf8(const QByteArray& bytes, QString* text)
{
    QTextCodec::ConverterState state;
    *text = QTextCodec::codecForMib(106)->toUnicode(bytes.constData(), bytes.size(), &state);
    return state.invalidChars == 0 && state.remainingChars == 0;
}

bool isBlank(const CsvRecord& record)
{
    return std::all_of(record.fields.cbegin(), record.fields.cend(), [](const QByteArray& f) { return f.trimmed().isEmpty(); });
}

struct ImportedTenure
{
    Tenure tenure;
    int line = 0;
};

} // namespace

PeopleChange ImportPeople(const QByteArray& csv, const PeopleVocabulary& vocabulary)
{
    PeopleChange change;
    const auto refuse = [&change](int line, const QString& why) {
        change.tenures.clear();
        change.error = Text::tr("line %1: %2").arg(QString::number(line), why);
        return change;
    };

    QByteArray bytes = csv;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    // Spreadsheets set to Italian or Spanish write semicolons; the header tells which it is.
    int lineEnd = 0;
    while (lineEnd < bytes.size() && bytes.at(lineEnd) != '\n' && bytes.at(lineEnd) != '\r')
        ++lineEnd;
    const QByteArray firstLine = bytes.left(lineEnd);
    const char separator = !firstLine.contains(',') && firstLine.contains(';') ? ';' : ',';

    QVector<CsvRecord> records;
    if (!splitCsv(bytes, separator, &records, &change.error))
        return change;

    const QString missingHeader = Text::tr("the first line must be the header %1.").arg(PeopleColumnHeaders().join(QLatin1Char(',')));
    QVector<ImportedTenure> imported;
    bool headerSeen = false;
    for (const CsvRecord& record : records) {
        if (isBlank(record) && headerSeen)
            continue;
        QStringList cells;
        for (const QByteArray& field : record.fields) {
            QString cell;
            if (!decodeUtf8(field, &cell))
                return refuse(record.line, Text::tr("the text is not UTF-8."));
            if (isGuarded(cell))
                cell.remove(0, 1);
            cells << cell;
        }
        if (!headerSeen) {
            if (!vocabulary.isHeader(cells))
                return refuse(record.line, missingHeader);
            headerSeen = true;
            continue;
        }
        if (cells.size() > 4) {
            const bool extra = std::any_of(cells.cbegin() + 4, cells.cend(), [](const QString& c) { return !c.trimmed().isEmpty(); });
            if (extra)
                return refuse(record.line, Text::tr("a row has four columns: User, Person, From, Until."));
        }
        while (cells.size() < 4)
            cells << QString();

        Tenure t;
        t.person = PersonName(cells.at(1));
        if (t.person.isEmpty())
            continue;
        t.user = vocabulary.userNumber(cells.at(0));
        if (t.user < 0)
            return refuse(record.line, Text::tr("'%1' is neither a user number nor the name of a user.").arg(cells.at(0).trimmed()));
        QString why;
        if (cells.at(2).trimmed().isEmpty())
            return refuse(record.line, Text::tr("the From day is missing."));
        if (!ParsePeopleDay(cells.at(2), &t.from, &why))
            return refuse(record.line, why);
        if (!cells.at(3).trimmed().isEmpty() && !ParsePeopleDay(cells.at(3), &t.until, &why))
            return refuse(record.line, why);
        why = TenureError(t);
        if (!why.isEmpty())
            return refuse(record.line, why);
        imported.append({ t, record.line });
    }
    if (!headerSeen)
        return refuse(1, missingHeader);

    std::stable_sort(imported.begin(), imported.end(),
                     [](const ImportedTenure& a, const ImportedTenure& b) { return byUserAndDay(a.tenure, b.tenure); });
    // Overlaps show between neighbours in this order; the one met first in the file is told.
    const ImportedTenure* later = nullptr;
    const ImportedTenure* earlier = nullptr;
    for (int k = 1; k < imported.size(); ++k) {
        const ImportedTenure& a = imported.at(k - 1);
        const ImportedTenure& b = imported.at(k);
        if (!overlap(a.tenure, b.tenure))
            continue;
        const ImportedTenure& second = a.line > b.line ? a : b;
        const ImportedTenure& first = a.line > b.line ? b : a;
        if (!later || second.line < later->line) {
            later = &second;
            earlier = &first;
        }
    }
    if (later)
        return refuse(later->line, Text::tr("%1 (line %2).").arg(TenureText(earlier->tenure), QString::number(earlier->line)));

    for (const ImportedTenure& i : imported)
        change.tenures.append(i.tenure);
    return change;
}
