#include "PeopleCommands.h"

#include "archive/Archive.h"
#include "archive/ArchiveLocation.h"
#include "archive/ArchiveService.h"
#include "AuditCli.h"
#include "model/EventRows.h"
#include "model/OutputFile.h"
#include "model/People.h"
#include "ReportOutput.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>

namespace cli {

namespace {

struct Cli
{
    Q_DECLARE_TR_FUNCTIONS(cli)
};

// A listing is a few lines a user; anything far larger is not one.
constexpr qint64 MaxListingBytes = 1024 * 1024;

struct PeopleOptions
{
    enum Action { List, Set, Remove, Import };
    Action action = List;
    QString actionOption; // as given: --set, --remove or --import
    QString archive;
    QString serial;
    QString output;
    QString file;
    QString user;
    QString person;
    QString from;
    QString until;
    bool hasFrom = false;
    bool hasUntil = false;
};

bool Parse(const QStringList& args, PeopleOptions& o, QString* error)
{
    QStringList positional;
    // The option's values follow it; `option` is where it stands.
    const auto value = [&](int option, int& i, QString* to) {
        if (i + 1 >= args.size()) {
            *error = Cli::tr("Option %1 needs a value.").arg(args.at(option));
            return false;
        }
        *to = args.at(++i);
        return true;
    };
    const auto action = [&](PeopleOptions::Action a, const QString& option) {
        if (o.action != PeopleOptions::List) {
            *error = Cli::tr("%1 and %2 exclude each other.").arg(o.actionOption, option);
            return false;
        }
        o.action = a;
        o.actionOption = option;
        return true;
    };
    for (int i = 2; i < args.size(); ++i) {
        const QString& a = args.at(i);
        const int at = i;
        QString language;
        if (a == QLatin1String("--archive")) {
            if (!value(at, i, &o.archive))
                return false;
        } else if (a == QLatin1String("--language")) {
            if (!value(at, i, &language))
                return false;
            if (!QStringList{ "en", "it", "es" }.contains(language)) {
                *error = Cli::tr("Unknown value for %1: %2 (use %3).").arg(a, language, QStringLiteral("en|it|es"));
                return false;
            }
        } else if (a == QLatin1String("--set")) {
            if (!action(PeopleOptions::Set, a) || !value(at, i, &o.user) || !value(at, i, &o.person))
                return false;
        } else if (a == QLatin1String("--remove")) {
            if (!action(PeopleOptions::Remove, a) || !value(at, i, &o.user))
                return false;
        } else if (a == QLatin1String("--import")) {
            if (!action(PeopleOptions::Import, a) || !value(at, i, &o.file))
                return false;
        } else if (a == QLatin1String("--from")) {
            if (!value(at, i, &o.from))
                return false;
            o.hasFrom = true;
        } else if (a == QLatin1String("--until")) {
            if (!value(at, i, &o.until))
                return false;
            o.hasUntil = true;
        } else if (a.startsWith(QLatin1String("--")) && a.size() > 2) {
            *error = Cli::tr("Unknown option: %1").arg(a);
            return false;
        } else {
            positional << a;
        }
    }
    const bool change = o.action == PeopleOptions::Set || o.action == PeopleOptions::Remove;
    if (o.hasFrom && !change) {
        *error = Cli::tr("--from goes only with --set and --remove.");
        return false;
    }
    if (o.hasUntil && o.action != PeopleOptions::Set) {
        *error = Cli::tr("--until goes only with --set.");
        return false;
    }
    if (change && !o.hasFrom) {
        *error = Cli::tr("%1 needs --from DAY.").arg(o.actionOption);
        return false;
    }
    if (positional.size() != (o.action == PeopleOptions::List ? 2 : 1)) {
        *error = Cli::tr("Wrong number of arguments.");
        return false;
    }
    o.serial = positional.at(0);
    if (o.action == PeopleOptions::List) {
        o.output = positional.at(1);
        if (o.output != QLatin1String("-") && FormatOfOutput(o.output) != QLatin1String("csv")) {
            *error = Cli::tr("Unsupported output: %1").arg(o.output);
            return false;
        }
    }
    return true;
}

bool ParseUser(const QString& text, int* user, QString* error)
{
    const QString t = text.trimmed();
    const bool digits = !t.isEmpty() && t.size() <= 3
        && std::all_of(t.cbegin(), t.cend(), [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
    if (!digits) {
        *error = Cli::tr("'%1' is not a user number.").arg(t);
        return false;
    }
    *user = t.toInt();
    return true;
}

// A user's tenures after a change, one a line; the names as a terminal may show them.
void PrintTenures(const Tenures& directory, int user, QTextStream& out)
{
    bool any = false;
    for (const Tenure& t : directory) {
        if (t.user != user)
            continue;
        out << Visible(TenureText(t)) << '\n';
        any = true;
    }
    if (!any)
        out << Cli::tr("%1 has no tenures.").arg(UserText(code(EventCode::ValidCode), user)) << '\n';
}

// The tenure --set and --remove speak of, checked before the archive is opened. False with the
// refusal on `err`.
bool ReadTenure(const PeopleOptions& o, Tenure* t, QTextStream& err)
{
    QString error;
    if (!ParseUser(o.user, &t->user, &error) || !ParsePeopleDay(o.from, &t->from, &error)
        || (o.hasUntil && !ParsePeopleDay(o.until, &t->until, &error))) {
        err << Visible(error) << Qt::endl;
        return false;
    }
    if (o.action == PeopleOptions::Set) {
        t->person = PersonName(o.person);
        error = TenureError(*t);
        if (!error.isEmpty()) {
            err << Visible(error) << Qt::endl;
            return false;
        }
    }
    return true;
}

} // namespace

QString PeopleUsageText()
{
    return Cli::tr("Usage: corvane-audit-cli archive people SERIAL [--archive PATH] [--language en|it|es] OUTPUT.csv|-\n"
                   "       corvane-audit-cli archive people SERIAL [--archive PATH] --set USER PERSON --from DAY\n"
                   "                                [--until DAY]\n"
                   "       corvane-audit-cli archive people SERIAL [--archive PATH] --remove USER --from DAY\n"
                   "       corvane-audit-cli archive people SERIAL [--archive PATH] --import FILE.csv\n"
                   "The people who held the lock's user numbers, and when. The listing has the columns\n"
                   "User, Person, From and Until, by user number; a user the latest visit shows\n"
                   "installed whom nobody is named for has a row with Person, From and Until empty.\n"
                   "  --set USER PERSON   names PERSON for user number USER from DAY on, until DAY\n"
                   "                   (included) or for as long as it lasts; a tenure of USER still\n"
                   "                   open ends the day before: the number changed hands\n"
                   "  --remove USER      removes the tenure of USER that begins on DAY\n"
                   "  --import FILE.csv  replaces the lock's tenures with a listing filled in (User as\n"
                   "                   the number or the listed name, in any language; rows without\n"
                   "                   a Person are skipped); any bad row refuses the whole file\n"
                   "DAY is YYYY-MM-DD. A name has at most 80 characters.\n");
}

int RunPeopleCommand(const QStringList& args, QTextStream& out, QTextStream& err, const QMap<int, QString>& unreadable)
{
    PeopleOptions o;
    QString error;
    if (!Parse(args, o, &error)) {
        err << error << '\n' << Cli::tr("Try 'corvane-audit-cli %1 --help'.").arg(QStringLiteral("archive people")) << '\n'
            << Qt::flush;
        return UsageError;
    }
    // A name or a file the system cannot give back would be another name.
    if (!unreadable.isEmpty()) {
        err << Cli::tr("%1 is not valid text in this system's encoding: it cannot be used.").arg(unreadable.first())
            << Qt::endl;
        return Rejected;
    }

    // What the command says is checked before anything is opened.
    Tenure tenure;
    if ((o.action == PeopleOptions::Set || o.action == PeopleOptions::Remove) && !ReadTenure(o, &tenure, err))
        return Rejected;
    QByteArray listing;
    if (o.action == PeopleOptions::Import) {
        QFile file(o.file);
        if (!file.open(QIODevice::ReadOnly)) {
            err << Cli::tr("Unable to read %1: %2").arg(o.file, file.errorString()) << Qt::endl;
            return Rejected;
        }
        listing = file.read(MaxListingBytes + 1);
        if (listing.size() > MaxListingBytes) {
            err << Cli::tr("%1 is larger than any listing of people (1 MiB): it is not read.").arg(o.file) << Qt::endl;
            return Rejected;
        }
    }
    if (o.action == PeopleOptions::List && o.output != QLatin1String("-")) {
        if (OutputFile::SameFile(o.output, ChooseArchiveLocation(o.archive))) {
            err << Cli::tr("%1 is the archive itself: choose another output.").arg(o.output) << Qt::endl;
            return Rejected;
        }
        QString reason;
        if (!OutputFile::CheckWritable(o.output, &reason)) {
            err << UnableToWriteText(o.output, reason) << Qt::endl;
            return Rejected;
        }
    }

    // A missing archive holds no lock: it is refused, never made.
    ArchiveWorker worker(o.archive);
    Archive* opened = worker.archive(Archive::OpenMode::Existing);
    if (!opened) {
        err << worker.error() << Qt::endl;
        return Rejected;
    }
    if (const QString notice = worker.takeNotice(); !notice.isEmpty())
        err << notice << Qt::endl;
    Archive& archive = *opened;
    // The lock by its serial number or its exact name, as history takes it.
    QString serial;
    if (!archive.findLock(o.serial, &serial)) {
        err << Visible(archive.errorString()) << Qt::endl;
        return Rejected;
    }
    Tenures directory;
    bool done = false;
    switch (o.action) {
    case PeopleOptions::List: {
        QVector<int> unnamed;
        if (!archive.people(serial, &directory, &unnamed))
            break;
        return WriteOutput(o.output, PeopleCsv(PeopleTextTable(directory, unnamed)), out, err) ? Success : Rejected;
    }
    case PeopleOptions::Set:
        done = archive.setTenure(serial, tenure, &directory);
        break;
    case PeopleOptions::Remove:
        done = archive.removeTenure(serial, tenure.user, tenure.from, &directory);
        break;
    case PeopleOptions::Import:
        done = archive.importPeople(serial, listing, PeopleVocabulary::load(), &directory);
        break;
    }
    if (!done) {
        err << Visible(archive.errorString()) << Qt::endl;
        return Rejected;
    }
    if (o.action == PeopleOptions::Import)
        out << Visible(Cli::tr("%n tenures kept for lock %1.", nullptr, directory.size()).arg(serial)) << '\n';
    else
        PrintTenures(directory, tenure.user, out);
    return FlushOutput(out, err) ? Success : Rejected;
}

} // namespace cli
