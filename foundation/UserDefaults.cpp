#include "UserDefaults.h"

#include "AtomicFile.h"
#include "Exception.h"
#include "Log.h"
#include "NotificationCenter.h"
#include "PropertyList.h"
#include "StringUtils.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <new>
#include <pwd.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr const char* kConfigHomeVariable = "XDG_CONFIG_HOME";
constexpr const char* kHomeVariable = "HOME";
constexpr const char* kConfigFolder = ".config";
constexpr const char* kAppFolder = "vendrel";
constexpr const char* kFileName = "settings.plist";
constexpr const char* kCorruptSuffix = ".corrupt-";
constexpr const char* kTimestampFormat = "%Y%m%d-%H%M%S";
constexpr const char* kNonPropertyListReason = "Attempt to insert non-property list object %@ for key %@";
constexpr const char* kNotADictionary = "Its root is not a dictionary.";
constexpr const char* kUnreadableLog = "Could not read the settings file %@. %@ Started with default settings; the file is kept and moved aside before settings are saved.";
constexpr const char* kMovedAsideLog = "Moved the unreadable settings file %@ aside to %@.";
constexpr const char* kLeftAsItIsLog = "Could not read the settings file %@: %@. Started with default settings; the file is left as it is and settings are not saved.";
constexpr const char* kKeptInPlaceLog = "Could not move the unreadable settings file %@ aside (%@ %@), so it is left as it is and settings are not saved.";
constexpr const char* kKeptInPlaceError = "The unreadable settings file %@ is kept in place and not overwritten";
constexpr const char* kCannotCreateFolderError = "Could not create the settings folder %@: %@";
constexpr const char* kCannotSaveError = "Could not save the settings to %@: %@";
constexpr const char* kNotPersistentError = "The settings are kept in memory only";
constexpr const char* kKeptInMemoryLog = "%@. The settings are kept in memory.";
constexpr const char* kOutsideChangeLog = "Read the settings file %@ again: it was changed outside the program.";
constexpr const char* kUnreadableWhileRunningLog = "Could not read the settings file %@. %@ The settings in memory are kept; the file is moved aside before they are saved.";
constexpr const char* kLeftAsItIsWhileRunningLog = "Could not read the settings file %@: %@. The settings in memory are kept; the file is left as it is and settings are not saved.";
constexpr const char* kNotARegularFileReason = "it is or links to %@, not a regular file";
constexpr const char* kNoMemoryReason = "not enough memory";
constexpr const char* kUnfinishedSaveLog = "The last save of the settings file %@ was cut off; read its complete copy %@ instead, which the next save writes.";
// Saves that find the file changed by another program read it in and try again, this often.
constexpr int kSaveAttempts = 5;

enum ErrorCode : long {
    kCannotCreateFolder = 1,
    kCannotWriteFile = 2,
    kNoPropertyListForm = 3,
    kUnreadableFileInPlace = 4,
    kNotPersistent = 5,
};

void requirePropertyList(const std::string& key, const Value& value)
{
    // Whatever could not be written would make every later save fail.
    if (!value.isNil() && propertylist::writeXml(value).empty())
        throw Exception(kInvalidArgumentException, strings::format(kNonPropertyListReason, {value, Value(key)}));
}

bool coercible(const Value& value)
{
    return value.isNumber() || value.isString();
}

std::string timestamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, kTimestampFormat, &local);
    return text;
}

bool isPermissionError(int code)
{
    return code == EACCES || code == EPERM;
}

const char* kindOfFile(mode_t mode)
{
    if (S_ISDIR(mode))
        return "a directory";
    if (S_ISFIFO(mode))
        return "a named pipe";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    if (S_ISSOCK(mode))
        return "a socket";
    return "a special file";
}

// Nothing there yet, or a link to nothing yet: the first save makes the file.
bool isAbsent(int code)
{
    return code == ENOENT || code == ENOTDIR;
}

// Why the path may be neither read, moved aside nor replaced: it is, or links to,
// something other than a regular file, or its links never end.
std::optional<std::string> notARegularFile(const std::filesystem::path& file)
{
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0)
        return isAbsent(errno) ? std::nullopt : std::optional(std::generic_category().message(errno));
    if (S_ISREG(status.st_mode))
        return std::nullopt;
    return strings::format(kNotARegularFileReason, {Value(kindOfFile(status.st_mode))});
}

bool operator==(const timespec& a, const timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}


} // namespace

std::filesystem::path UserDefaults::defaultFilePath()
{
    // The XDG rules ignore a relative XDG_CONFIG_HOME.
    const char* configHome = std::getenv(kConfigHomeVariable);
    if (configHome && *configHome && std::filesystem::path(configHome).is_absolute())
        return std::filesystem::path(configHome) / kAppFolder / kFileName;
    std::filesystem::path home;
    if (const char* fromEnvironment = std::getenv(kHomeVariable); fromEnvironment && *fromEnvironment)
        home = fromEnvironment;
    else if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
        home = entry->pw_dir;
    return home / kConfigFolder / kAppFolder / kFileName;
}

UserDefaults& UserDefaults::standard()
{
    static UserDefaults defaults(defaultFilePath());
    return defaults;
}

UserDefaults::UserDefaults(std::filesystem::path file)
    : m_file(std::move(file))
{
    m_stored = load();
}

bool UserDefaults::FileStamp::operator==(const FileStamp& other) const
{
    return exists == other.exists && device == other.device && inode == other.inode && size == other.size &&
           modified == other.modified && changed == other.changed;
}

UserDefaults::FileStamp UserDefaults::currentStamp() const
{
    // Links that never end are there all the same: the link itself tells their states apart.
    struct stat status {};
    if (::stat(m_file.c_str(), &status) != 0 && (isAbsent(errno) || ::lstat(m_file.c_str(), &status) != 0))
        return {};
    return {true, status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim};
}

Dictionary UserDefaults::load(bool whileRunning)
{
    m_stamp = currentStamp();
    forgetFileTrouble();
    if (!m_stamp.exists)
        return {};
    // What is no regular file, and a file we may not read, are not damaged: they are
    // neither moved aside nor replaced.
    std::optional<std::string> reason = notARegularFile(m_file);
    if (!reason && ::access(m_file.c_str(), R_OK) != 0 && isPermissionError(errno))
        reason = std::generic_category().message(errno);
    const auto leaveAsItIs = [this, whileRunning](const std::string& why) {
        keepInPlace(strings::format(whileRunning ? kLeftAsItIsWhileRunningLog : kLeftAsItIsLog,
                                    {Value(m_file.string()), Value(why)}));
        return Dictionary{};
    };
    if (reason)
        return leaveAsItIs(*reason);
    Error error;
    Value root;
    // A file too large for the memory left is not damaged either.
    try {
        // A save cut off while rewriting the file in place left its whole text beside
        // it. While running, a changed file is an outside edit, newer than any copy.
        if (const auto copy = AtomicFile(m_file).unfinishedSave(); copy && !whileRunning) {
            const Value complete = propertylist::readFile(*copy);
            if (const Dictionary* values = complete.dictionary()) {
                logging::log(strings::format(kUnfinishedSaveLog, {Value(m_file.string()), Value(copy->string())}));
                return *values;
            }
        }
        root = propertylist::readFile(m_file, &error);
        if (const Dictionary* values = root.dictionary())
            return *values;
    } catch (const std::bad_alloc&) {
        return leaveAsItIs(kNoMemoryReason);
    }
    m_unreadableReason = root.isNil() ? error.message : kNotADictionary;
    logging::log(strings::format(whileRunning ? kUnreadableWhileRunningLog : kUnreadableLog,
                                 {Value(m_file.string()), Value(m_unreadableReason)}));
    return {};
}

void UserDefaults::moveAside(const std::string& reason)
{
    // A link stays where it is: the file it names goes aside and the save goes through it.
    const std::filesystem::path file = AtomicFile(m_file).target();
    // It may have become something else since it was read.
    if (const auto kind = notARegularFile(file)) {
        keepInPlace(strings::format(kKeptInPlaceLog, {Value(m_file.string()), Value(reason), Value(*kind)}));
        return;
    }
    std::error_code ec;
    const std::string base = file.string() + kCorruptSuffix + timestamp();
    std::filesystem::path aside = base;
    for (int n = 1; std::filesystem::exists(std::filesystem::symlink_status(aside, ec)); ++n)
        aside = base + "-" + std::to_string(n);
    std::filesystem::rename(file, aside, ec);
    if (ec) {
        keepInPlace(strings::format(kKeptInPlaceLog, {Value(m_file.string()), Value(reason), Value(ec.message())}));
        return;
    }
    // Gone by our own hand: no outside change.
    m_stamp = currentStamp();
    logging::log(strings::format(kMovedAsideLog, {Value(m_file.string()), Value(aside.string())}));
}

void UserDefaults::forgetFileTrouble()
{
    // A file no longer kept in place makes a failing save worth a line again.
    if (std::exchange(m_fileKeptInPlace, false))
        m_lastSaveFailed = false;
    m_unreadableReason.clear();
}

void UserDefaults::keepInPlace(const std::string& logLine)
{
    m_fileKeptInPlace = true;
    // The line says the settings are not saved: the failing saves add nothing to it.
    m_lastSaveFailed = true;
    logging::log(logLine);
}

std::optional<AtomicFile::Failure> UserDefaults::saveFile(const std::string& text)
{
    const AtomicFile file(m_file);
    // Only a process that saves clears what others left, so that command-line mode
    // changes nothing on disk.
    if (!m_staleTemporariesRemoved) {
        file.removeStaleTemporaries();
        m_staleTemporariesRemoved = true;
    }
    // An outside change made while the text was written is read in, not replaced.
    return file.write(text, [this] { return currentStamp() == m_stamp; });
}

void UserDefaults::registerDefaults(const Dictionary& defaults)
{
    std::vector<std::string> changed;
    for (const auto& [key, value] : defaults) {
        if (!isStored(key) && !(m_registered.get(key) == value))
            changed.push_back(key);
        m_registered.set(key, value);
    }
    if (!changed.empty())
        didChange(changed);
}

Value UserDefaults::objectForKey(const std::string& key) const
{
    if (Value stored = m_stored.get(key))
        return stored;
    return m_registered.get(key);
}

bool UserDefaults::boolForKey(const std::string& key, bool fallback) const
{
    const Value value = objectForKey(key);
    return coercible(value) ? value.boolValue() : fallback;
}

long long UserDefaults::integerForKey(const std::string& key, long long fallback) const
{
    const Value value = objectForKey(key);
    return coercible(value) ? value.integerValue() : fallback;
}

double UserDefaults::doubleForKey(const std::string& key, double fallback) const
{
    const Value value = objectForKey(key);
    return coercible(value) ? value.doubleValue() : fallback;
}

std::string UserDefaults::stringForKey(const std::string& key, const std::string& fallback) const
{
    const Value value = objectForKey(key);
    if (const std::string* text = value.string())
        return *text;
    return value.isNumber() ? value.description() : fallback;
}

std::vector<Value> UserDefaults::arrayForKey(const std::string& key) const
{
    const Value value = objectForKey(key);
    return value.array() ? *value.array() : std::vector<Value>{};
}

Dictionary UserDefaults::dictionaryForKey(const std::string& key) const
{
    const Value value = objectForKey(key);
    return value.dictionary() ? *value.dictionary() : Dictionary{};
}

void UserDefaults::setObject(const std::string& key, Value value)
{
    requirePropertyList(key, value);
    setObjects(Dictionary{{key, std::move(value)}});
}

bool UserDefaults::setObjects(const Dictionary& values, Error* error)
{
    for (const auto& [key, value] : values)
        requirePropertyList(key, value);
    std::vector<std::string> outside;
    bool saved = false;
    if (m_persistent) {
        saved = save(values, outside, error);
    } else {
        for (const auto& [key, value] : values)
            m_stored.setOrRemove(key, value);
    }
    std::vector<std::string> keys = values.keys();
    for (std::string& key : outside)
        if (!values.contains(key))
            keys.push_back(std::move(key));
    didChange(keys, !outside.empty());
    return saved;
}

bool UserDefaults::synchronize(Error* error)
{
    if (!m_persistent) {
        if (error)
            *error = {kErrorDomain, kNotPersistent, kNotPersistentError};
        return false;
    }
    std::vector<std::string> outside;
    const bool saved = save({}, outside, error);
    if (!outside.empty())
        didChange(outside, true);
    return saved;
}

bool UserDefaults::save(const Dictionary& values, std::vector<std::string>& outside, Error* error)
{
    for (int attempt = 1;; ++attempt) {
        for (std::string& key : absorbOutsideChanges())
            if (std::find(outside.begin(), outside.end(), key) == outside.end())
                outside.push_back(std::move(key));
        for (const auto& [key, value] : values)
            m_stored.setOrRemove(key, value);
        if (const std::optional<bool> saved = writeFile(error, attempt == kSaveAttempts))
            return *saved;
    }
}

void UserDefaults::readOutsideChanges()
{
    if (!m_persistent)
        return;
    if (const std::vector<std::string> outside = absorbOutsideChanges(); !outside.empty())
        didChange(outside, true);
}

std::vector<std::string> UserDefaults::absorbOutsideChanges()
{
    const FileStamp stamp = currentStamp();
    if (stamp == m_stamp)
        return {};
    // A removed file is no reason to forget the settings: the next save writes it anew.
    if (!stamp.exists) {
        m_stamp = stamp;
        forgetFileTrouble();
        return {};
    }
    logging::log(strings::format(kOutsideChangeLog, {Value(m_file.string())}));
    Dictionary read = load(true);
    // Unreadable now: the values in memory stay, as load() left the file to be kept
    // in place or moved aside.
    if (m_fileKeptInPlace || !m_unreadableReason.empty())
        return {};
    return replaceStored(std::move(read));
}

std::vector<std::string> UserDefaults::replaceStored(Dictionary values)
{
    const Dictionary before = std::exchange(m_stored, std::move(values));
    std::vector<std::string> keys = before.keys();
    for (const std::string& key : m_stored.keys())
        if (!before.contains(key))
            keys.push_back(key);
    std::vector<std::string> changed;
    for (const std::string& key : keys) {
        const Value old = before.contains(key) ? before.get(key) : m_registered.get(key);
        if (!(old == objectForKey(key)))
            changed.push_back(key);
    }
    return changed;
}

std::optional<bool> UserDefaults::writeFile(Error* error, bool lastAttempt)
{
    Error failure;
    if (!m_unreadableReason.empty()) {
        moveAside(m_unreadableReason);
        m_unreadableReason.clear();
    }
    if (m_fileKeptInPlace) {
        failure = {kErrorDomain, kUnreadableFileInPlace, strings::format(kKeptInPlaceError, {Value(m_file.string())})};
    } else {
        std::error_code ec;
        if (!m_file.parent_path().empty())
            std::filesystem::create_directories(m_file.parent_path(), ec);
        if (ec) {
            failure = {kErrorDomain, kCannotCreateFolder,
                strings::format(kCannotCreateFolderError, {Value(m_file.parent_path().string()), Value(ec.message())})};
        } else {
            Error plistError;
            std::optional<AtomicFile::Failure> reason;
            std::string xml;
            try {
                xml = propertylist::writeXml(Value(m_stored), &plistError);
                if (!xml.empty())
                    reason = saveFile(xml);
            } catch (const std::bad_alloc&) {
                reason = AtomicFile::Failure{kNoMemoryReason, false};
            }
            if (reason && reason->changedMeanwhile && !lastAttempt)
                return std::nullopt;
            if (reason) {
                failure = {kErrorDomain, kCannotWriteFile,
                    strings::format(kCannotSaveError, {Value(m_file.string()), Value(reason->reason)})};
            } else if (xml.empty()) {
                failure = {kErrorDomain, kNoPropertyListForm, plistError.message};
            }
        }
    }
    if (failure.message.empty()) {
        m_stamp = currentStamp();
        m_lastSaveFailed = false;
        return true;
    }
    // A caller that takes the error reports it itself.
    if (error) {
        *error = failure;
        return false;
    }
    if (!m_lastSaveFailed)
        logging::log(strings::format(kKeptInMemoryLog, {Value(failure.message)}));
    m_lastSaveFailed = true;
    return false;
}

void UserDefaults::reload()
{
    const std::vector<std::string> changed = replaceStored(load());
    if (!changed.empty())
        didChange(changed);
}

UserDefaults::Token UserDefaults::observe(const std::string& key, Observer observer)
{
    const Token token = m_next++;
    auto shared = std::make_shared<Observer>(std::move(observer));
    m_observers.push_back({token, false, key, shared});
    (*shared)(key, objectForKey(key));
    return token;
}

UserDefaults::Token UserDefaults::observeAll(Observer observer)
{
    const Token token = m_next++;
    m_observers.push_back({token, true, {}, std::make_shared<Observer>(std::move(observer))});
    return token;
}

void UserDefaults::removeObserver(Token token)
{
    std::erase_if(m_observers, [token](const Registration& r) { return r.token == token; });
}

void UserDefaults::didChange(const std::vector<std::string>& keys, bool fromOutside)
{
    for (const std::string& key : keys)
        notify(key, objectForKey(key));
    NotificationCenter::defaultCenter().post(kDidChangeNotification, this);
    if (fromOutside)
        NotificationCenter::defaultCenter().post(kDidChangeOutsideNotification, this);
}

void UserDefaults::notify(const std::string& key, const Value& value)
{
    // Observers may add or remove observers: walk a snapshot, skipping those removed meanwhile.
    const std::vector<Registration> snapshot = m_observers;
    for (const Registration& registration : snapshot) {
        if (!registration.allKeys && registration.key != key)
            continue;
        const bool stillObserving = std::any_of(m_observers.begin(), m_observers.end(),
            [&](const Registration& r) { return r.token == registration.token; });
        if (stillObserving && *registration.observer)
            (*registration.observer)(key, value);
    }
}
