#include "foundation/Exception.h"
#include "foundation/Log.h"
#include "foundation/NotificationCenter.h"
#include "foundation/PropertyList.h"
#include "foundation/UserDefaults.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <random>
#include <thread>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> filesIn(const fs::path& folder)
{
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(folder))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    return files;
}

class UserDefaultsTest : public ::testing::Test {
protected:
    fs::path file() const { return m_folder / "settings.plist"; }
    Value fileContents() const { return propertylist::readFile(file()); }

    TemporaryFolder m_folder;
};

TEST_F(UserDefaultsTest, RegisteredValuesLieBelowStoredOnes)
{
    UserDefaults defaults(file());
    defaults.registerDefaults(Dictionary{{"zoom", Value::integer(8)}, {"format", Value("hex")}});

    EXPECT_TRUE(defaults.isPresent("zoom"));
    EXPECT_FALSE(defaults.isStored("zoom"));
    EXPECT_EQ(defaults.objectForKey("zoom"), Value::integer(8));
    EXPECT_FALSE(defaults.isPresent("unknown"));
    EXPECT_TRUE(defaults.objectForKey("unknown").isNil());

    defaults.setObject("zoom", Value::integer(12));
    EXPECT_TRUE(defaults.isStored("zoom"));
    EXPECT_EQ(defaults.integerForKey("zoom"), 12);

    defaults.removeObject("zoom");
    EXPECT_FALSE(defaults.isStored("zoom"));
    EXPECT_EQ(defaults.integerForKey("zoom"), 8);

    // Only stored values reach the file.
    defaults.setObject("other", Value("x"));
    EXPECT_EQ(fileContents(), Value(Dictionary{{"other", Value("x")}}));
}

TEST_F(UserDefaultsTest, TypedGettersCoerceLikeTheOriginal)
{
    UserDefaults defaults(file());
    defaults.setObjects(Dictionary{{"yes", Value("YES")}, {"no", Value("no")}, {"count", Value(" 42")},
        {"ratio", Value("2.5")}, {"flag", Value::boolean(true)}, {"number", Value::integer(7)},
        {"list", Value(std::vector<Value>{Value("a")})}, {"map", Value(Dictionary{{"k", Value("v")}})},
        {"bytes", Value::data({1, 2})}});

    EXPECT_TRUE(defaults.boolForKey("yes"));
    EXPECT_FALSE(defaults.boolForKey("no", true));
    EXPECT_EQ(defaults.integerForKey("count"), 42);
    EXPECT_DOUBLE_EQ(defaults.doubleForKey("ratio"), 2.5);
    EXPECT_EQ(defaults.integerForKey("flag"), 1);
    EXPECT_TRUE(defaults.boolForKey("number"));
    EXPECT_EQ(defaults.stringForKey("number"), "7");
    EXPECT_EQ(defaults.stringForKey("yes"), "YES");

    // Kinds without the coercion, and absent keys, give the fallback.
    EXPECT_TRUE(defaults.boolForKey("list", true));
    EXPECT_EQ(defaults.integerForKey("map", -1), -1);
    EXPECT_DOUBLE_EQ(defaults.doubleForKey("bytes", 0.5), 0.5);
    EXPECT_EQ(defaults.stringForKey("list", "fallback"), "fallback");
    EXPECT_EQ(defaults.integerForKey("absent", 3), 3);
    EXPECT_EQ(defaults.arrayForKey("list"), std::vector<Value>{Value("a")});
    EXPECT_TRUE(defaults.arrayForKey("map").empty());
    EXPECT_EQ(defaults.dictionaryForKey("map").get("k"), Value("v"));
    EXPECT_TRUE(defaults.dictionaryForKey("list").empty());
}

TEST_F(UserDefaultsTest, WritesPersistAndReadBackInOrder)
{
    {
        UserDefaults defaults(fs::path(m_folder / "created" / "deeper" / "settings.plist"));
        defaults.setObject("k", Value::integer(1));
    }
    EXPECT_TRUE(fs::exists(m_folder / "created" / "deeper" / "settings.plist"));

    const Dictionary values{{"zeta", Value::real(0.25)}, {"alpha", Value("Grüße 😀")}, {"mid", Value::boolean(false)}};
    {
        UserDefaults defaults(file());
        defaults.setObjects(values);
    }
    UserDefaults again(file());
    EXPECT_EQ(again.storedValues().keys(), values.keys());
    EXPECT_EQ(Value(again.storedValues()), Value(values));
    EXPECT_FALSE(again.boolForKey("mid", true));
}

TEST_F(UserDefaultsTest, LinkedSettingsFileIsSavedThroughTheLink)
{
    const fs::path target = m_folder / "dotfiles" / "vendrel.plist";
    fs::create_directories(target.parent_path());
    std::ofstream(target) << propertylist::writeXml(Value(Dictionary{{"kept", Value::integer(1)}}));
    fs::create_symlink(target, file());

    UserDefaults defaults(file());
    EXPECT_EQ(defaults.integerForKey("kept"), 1);
    defaults.setObject("added", Value("x"));
    EXPECT_TRUE(fs::is_symlink(file()));
    EXPECT_EQ(propertylist::readFile(target),
        Value(Dictionary{{"kept", Value::integer(1)}, {"added", Value("x")}}));
}

TEST_F(UserDefaultsTest, ALinkStaysALinkWhenWhatItNamesIsUnreadableOrNotMadeYet)
{
    const fs::path dotfiles = m_folder / "dotfiles";
    fs::create_directories(dotfiles);
    std::ofstream(dotfiles / "vendrel.plist") << "not a plist";
    fs::create_symlink(dotfiles / "vendrel.plist", file());
    logging::Capture log;
    UserDefaults defaults(file());
    defaults.setObject("fresh", Value::integer(1));
    EXPECT_TRUE(fs::is_symlink(file()));
    EXPECT_EQ(fileContents(), Value(Dictionary{{"fresh", Value::integer(1)}}));
    const auto named = filesIn(dotfiles);
    ASSERT_EQ(named.size(), 2u);
    EXPECT_EQ(contents(dotfiles / named.back()), "not a plist");

    fs::remove(file());
    fs::create_symlink(fs::path("dotfiles") / "new.plist", file());
    UserDefaults again(file());
    again.setObject("made", Value::integer(2));
    EXPECT_TRUE(fs::is_symlink(file()));
    EXPECT_EQ(propertylist::readFile(dotfiles / "new.plist"), Value(Dictionary{{"made", Value::integer(2)}}));
}

// Every entry below the folder with its kind, the text of each link and the contents
// of each regular file.
std::string snapshot(const fs::path& folder)
{
    std::vector<std::string> entries;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec); it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const fs::directory_entry& entry = *it;
        std::string line = entry.path().lexically_relative(folder).string() + " "
            + std::to_string(static_cast<int>(entry.symlink_status().type()));
        if (entry.is_symlink())
            line += " -> " + fs::read_symlink(entry.path()).string();
        else if (entry.symlink_status().type() == fs::file_type::regular)
            line += " " + contents(entry.path());
        entries.push_back(line);
    }
    std::sort(entries.begin(), entries.end());
    std::string text;
    for (const std::string& line : entries)
        text += line + "\n";
    return text;
}

// A device node of our own (the null device's numbers) where the system lets us make
// one, else a link to the null device itself, which only root could rename.
fs::path deviceIn(const fs::path& folder)
{
    const fs::path node = folder / "device";
    return ::mknod(node.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0 ? node : fs::path("/dev/null");
}

TEST_F(UserDefaultsTest, APathToAnythingButARegularFileIsLeftAsItIs)
{
    const std::vector<std::pair<std::string, std::function<void(const fs::path&)>>> cases{
        {"a link to a directory holding a file", [](const fs::path& folder) {
             fs::create_directory(folder / "dotfiles");
             std::ofstream(folder / "dotfiles" / "notes.txt") << "mine";
             fs::create_directory_symlink("dotfiles", folder / "settings.plist");
         }},
        {"a named pipe", [](const fs::path& folder) {
             ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
             fs::create_symlink("pipe", folder / "settings.plist");
         }},
        {"a link loop", [](const fs::path& folder) {
             fs::create_symlink("other", folder / "settings.plist");
             fs::create_symlink("settings.plist", folder / "other");
         }},
        {"a device", [](const fs::path& folder) { fs::create_symlink(deviceIn(folder), folder / "settings.plist"); }},
    };
    for (const auto& [name, make] : cases) {
        SCOPED_TRACE(name);
        TemporaryFolder folder;
        make(folder.path());
        const std::string before = snapshot(folder.path());
        logging::Capture log;
        {
            UserDefaults defaults(folder / "settings.plist");
            defaults.setObject("picked", Value("00FF00FF"));
            EXPECT_FALSE(defaults.synchronize());
            EXPECT_EQ(defaults.objectForKey("picked"), Value("00FF00FF")) << "kept in memory";
        }
        EXPECT_EQ(snapshot(folder.path()), before);
        EXPECT_TRUE(fs::is_character_file("/dev/null"));
        EXPECT_EQ(log.lines().size(), 1u);
        EXPECT_TRUE(log.contains("left as it is"));
    }
}

TEST_F(UserDefaultsTest, ARegularFileThatBecomesALinkToADirectoryIsLeftAsItIs)
{
    UserDefaults defaults(file());
    defaults.setObject("mine", Value::integer(1));
    fs::create_directory(m_folder / "dotfiles");
    std::ofstream(m_folder / "dotfiles" / "notes.txt") << "mine";
    fs::remove(file());
    fs::create_directory_symlink("dotfiles", file());
    const std::string before = snapshot(m_folder.path());

    defaults.readOutsideChanges();
    defaults.setObject("more", Value::integer(2));
    EXPECT_EQ(snapshot(m_folder.path()), before);
    EXPECT_EQ(defaults.objectForKey("mine"), Value::integer(1));

    // Once the user puts a file back, saves reach it again.
    fs::remove(file());
    EXPECT_TRUE(defaults.synchronize());
    EXPECT_EQ(fileContents(), (Value(Dictionary{{"mine", Value::integer(1)}, {"more", Value::integer(2)}})));
}

TEST_F(UserDefaultsTest, NonPersistentDomainNeverTouchesTheFile)
{
    std::ofstream(file()) << "not a plist";
    logging::Capture log;
    UserDefaults defaults(file());
    defaults.setPersistent(false);
    defaults.setObject("k", Value("memory"));
    EXPECT_EQ(defaults.stringForKey("k"), "memory");

    Error error;
    EXPECT_FALSE(defaults.synchronize(&error));
    EXPECT_EQ(error.message, "The settings are kept in memory only");
    EXPECT_EQ(contents(file()), "not a plist");
    EXPECT_EQ(filesIn(m_folder.path()), std::vector<std::string>{"settings.plist"});
    EXPECT_EQ(log.lines().size(), 1u) << "only the unreadable file is logged";

    defaults.setPersistent(true);
    EXPECT_TRUE(defaults.synchronize());
    EXPECT_EQ(fileContents(), Value(Dictionary{{"k", Value("memory")}}));
}

TEST_F(UserDefaultsTest, ValuesWithoutAPropertyListFormAreRefused)
{
    UserDefaults defaults(file());
    defaults.setObject("kept", Value::integer(1));
    EXPECT_THROW(defaults.setObject("bad", Value::null()), Exception);
    EXPECT_THROW(defaults.setObjects(Dictionary{{"fine", Value("x")},
                     {"bad", Value(std::vector<Value>{Value::null()})}}),
        Exception);
    // Values of writable kinds that the file still cannot hold would block every later save.
    EXPECT_THROW(defaults.setObject("far", Value::date(1e12)), Exception);
    EXPECT_THROW(defaults.setObject("nul", Value(std::string("a\0b", 3))), Exception);
    EXPECT_EQ(Value(defaults.storedValues()), Value(Dictionary{{"kept", Value::integer(1)}}));
    EXPECT_EQ(fileContents(), Value(defaults.storedValues()));
    defaults.setObject("later", Value("saved"));
    EXPECT_EQ(fileContents().dictionary()->get("later"), Value("saved"));
}

TEST_F(UserDefaultsTest, ObserversHearEveryWriteBeforeItReturns)
{
    UserDefaults defaults(file());
    defaults.registerDefaults(Dictionary{{"zoom", Value::integer(8)}});
    std::vector<std::string> calls;
    const auto perKey = defaults.observe("zoom", [&](const std::string& key, const Value& value) {
        calls.push_back("key:" + key + "=" + value.description());
    });
    EXPECT_EQ(calls, std::vector<std::string>{"key:zoom=8"});
    defaults.observeAll([&](const std::string& key, const Value& value) {
        calls.push_back("all:" + key + "=" + value.description());
    });
    int posted = 0;
    const auto token = NotificationCenter::defaultCenter().addObserver(
        UserDefaults::kDidChangeNotification, [&](const NotificationCenter::Notification&) { ++posted; }, &defaults);

    calls.clear();
    defaults.setObject("zoom", Value::integer(4));
    EXPECT_EQ(calls, (std::vector<std::string>{"key:zoom=4", "all:zoom=4"}));
    EXPECT_EQ(posted, 1);

    calls.clear();
    defaults.removeObject("zoom");
    defaults.setObject("other", Value("x"));
    EXPECT_EQ(calls, (std::vector<std::string>{"key:zoom=8", "all:zoom=8", "all:other=x"}));
    EXPECT_EQ(posted, 3);

    calls.clear();
    defaults.removeObserver(perKey);
    defaults.setObjects(Dictionary{{"zoom", Value::integer(2)}, {"other", Value("y")}});
    EXPECT_EQ(calls, (std::vector<std::string>{"all:zoom=2", "all:other=y"}));
    EXPECT_EQ(posted, 4);
    NotificationCenter::defaultCenter().removeObserver(token);
}

TEST_F(UserDefaultsTest, ObserversSeeTheFileAlreadyWrittenAndMayWriteInTurn)
{
    UserDefaults defaults(file());
    std::vector<std::string> seen;
    defaults.observe("source", [&](const std::string&, const Value& value) {
        if (value.isNil())
            return;
        seen.push_back(fileContents().dictionary()->get("source").description());
        defaults.setObject("derived", Value(*value.string() + "!"));
    });
    defaults.setObject("source", Value("a"));
    EXPECT_EQ(seen, std::vector<std::string>{"a"});
    EXPECT_EQ(defaults.stringForKey("derived"), "a!");
    EXPECT_EQ(fileContents().dictionary()->get("derived"), Value("a!"));
}

TEST_F(UserDefaultsTest, ReloadTellsObserversOfChangedKeys)
{
    UserDefaults defaults(file());
    defaults.setObjects(Dictionary{{"same", Value::integer(1)}, {"changes", Value::integer(1)}, {"goes", Value("x")}});
    UserDefaults other(file());
    other.setObjects(Dictionary{{"changes", Value::integer(2)}, {"goes", Value()}, {"comes", Value("new")}});

    std::vector<std::string> changed;
    defaults.observeAll([&](const std::string& key, const Value& value) { changed.push_back(key + "=" + value.description()); });
    defaults.reload();
    EXPECT_EQ(changed, (std::vector<std::string>{"changes=2", "goes=(null)", "comes=new"}));
}

TEST_F(UserDefaultsTest, CorruptFileIsKeptUntilTheFirstSaveMovesItAside)
{
    const std::string garbage = "<?xml version=\"1.0\"?><plist><dict><key>broken";
    std::ofstream(file()) << garbage;

    logging::Capture log;
    UserDefaults defaults(file());
    EXPECT_TRUE(defaults.storedValues().empty());
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_NE(log.lines().front().find(file().string()), std::string::npos);
    // A run that saves nothing leaves the file exactly as it was.
    ASSERT_EQ(filesIn(m_folder.path()), (std::vector<std::string>{"settings.plist"}));
    EXPECT_EQ(contents(file()), garbage);

    defaults.setObject("fresh", Value::integer(1));
    const auto files = filesIn(m_folder.path());
    ASSERT_EQ(files.size(), 2u);
    const std::string aside = files.front() == "settings.plist" ? files.back() : files.front();
    EXPECT_EQ(aside.rfind("settings.plist.corrupt-", 0), 0u) << aside;
    EXPECT_EQ(aside.size(), std::string("settings.plist.corrupt-YYYYmmdd-HHMMSS").size()) << aside;
    EXPECT_EQ(contents(m_folder / aside), garbage);
    EXPECT_NE(log.lines().back().find(aside), std::string::npos);
    EXPECT_EQ(fileContents(), Value(Dictionary{{"fresh", Value::integer(1)}}));

    defaults.setObject("more", Value::integer(2));
    EXPECT_EQ(filesIn(m_folder.path()).size(), 2u) << "the aside file is made once";
    EXPECT_EQ(contents(m_folder / aside), garbage);
}

TEST_F(UserDefaultsTest, FileWhoseRootIsNotADictionaryIsMovedAside)
{
    const std::string array = propertylist::writeXml(Value(std::vector<Value>{Value("not settings")}));
    std::ofstream(file()) << array;
    UserDefaults first(file());
    EXPECT_TRUE(first.storedValues().empty());
    EXPECT_TRUE(first.synchronize());
    // A second corrupt file in the same second gets a name of its own.
    std::ofstream(file()) << "garbage";
    UserDefaults second(file());
    EXPECT_TRUE(second.storedValues().empty());
    EXPECT_TRUE(second.synchronize());

    std::vector<std::string> asideContents;
    for (const auto& name : filesIn(m_folder.path())) {
        if (name != "settings.plist")
            asideContents.push_back(contents(m_folder / name));
    }
    std::sort(asideContents.begin(), asideContents.end());
    EXPECT_EQ(asideContents, (std::vector<std::string>{array, "garbage"}));
}

TEST_F(UserDefaultsTest, UnwritableFolderKeepsValuesInMemory)
{
    // A folder below a regular file cannot be created, even by root.
    std::ofstream(m_folder / "plain-file") << "x";
    UserDefaults defaults(m_folder / "plain-file" / "sub" / "settings.plist");

    logging::Capture log;
    int notified = 0;
    defaults.observeAll([&](const std::string&, const Value&) { ++notified; });
    defaults.setObject("k", Value("kept"));
    defaults.setObject("k2", Value("also kept"));
    EXPECT_EQ(notified, 2);
    EXPECT_EQ(defaults.stringForKey("k"), "kept");
    EXPECT_EQ(defaults.stringForKey("k2"), "also kept");
    ASSERT_EQ(log.lines().size(), 1u) << "a run of failures is logged once";

    Error error;
    EXPECT_FALSE(defaults.synchronize(&error));
    EXPECT_EQ(error.domain, UserDefaults::kErrorDomain);
    EXPECT_FALSE(error.message.empty());
}

TEST_F(UserDefaultsTest, TwoWritersKeepEachOthersKeysAndTheLaterValueOfAKey)
{
    UserDefaults first(file());
    UserDefaults second(file());
    first.setObject("from", Value("first"));
    EXPECT_EQ(fileContents(), Value(Dictionary{{"from", Value("first")}}));
    second.setObject("other", Value("second"));
    EXPECT_EQ(fileContents(), (Value(Dictionary{{"from", Value("first")}, {"other", Value("second")}})));
    std::vector<std::string> heard;
    first.observeAll([&heard](const std::string& key, const Value&) { heard.push_back(key); });
    first.setObject("from", Value("first again"));
    EXPECT_EQ(fileContents(), (Value(Dictionary{{"from", Value("first again")}, {"other", Value("second")}})));
    EXPECT_EQ(first.objectForKey("other"), Value("second"));
    EXPECT_EQ(heard, (std::vector<std::string>{"from", "other"}));

    for (int i = 0; i < 50; ++i) {
        (i % 2 ? first : second).setObject("n", Value::integer(i));
        const Value onDisk = fileContents();
        ASSERT_TRUE(onDisk.isDictionary()) << "after write " << i;
        EXPECT_EQ(onDisk.dictionary()->get("n"), Value::integer(i));
    }
    // No temporary file is left behind.
    EXPECT_EQ(filesIn(m_folder.path()), std::vector<std::string>{"settings.plist"});
}

// Renames `edit` over `file` once a save has begun writing its temporary file.
std::thread renameIntoTheSave(const fs::path& edit, const fs::path& file)
{
    return std::thread([edit, file] {
        const auto saving = [&file] {
            return std::ranges::any_of(fs::directory_iterator(file.parent_path()), [](const fs::directory_entry& entry) {
                return entry.path().filename().string().starts_with(".settings.plist.saving-");
            });
        };
        while (!saving())
            std::this_thread::yield();
        fs::rename(edit, file);
    });
}

TEST_F(UserDefaultsTest, AnOutsideEditRenamedOverTheFileDuringALongSaveIsReadInAndKept)
{
    // A save of this much takes a while.
    const Value large(std::string(26 << 20, 'x'));
    UserDefaults defaults(file());
    defaults.setObject("large", large);
    const fs::path edit = m_folder / "edit.plist";
    for (int round = 0; round < 3; ++round) {
        // Another program edits the file as it was before the save.
        std::ofstream(edit) << propertylist::writeXml(Value(Dictionary{
            {"large", large}, {"mine", Value::integer(round - 1)}, {"theirs", Value::integer(round)}}));
        std::thread outside = renameIntoTheSave(edit, file());
        defaults.setObject("mine", Value::integer(round));
        outside.join();
        defaults.readOutsideChanges();
        EXPECT_EQ(defaults.objectForKey("theirs"), Value::integer(round));
        EXPECT_EQ(fileContents().dictionary()->get("theirs"), Value::integer(round));
        EXPECT_EQ(defaults.objectForKey("mine"), Value::integer(round));
    }
}

// The id of a process that has ended.
pid_t endedProcess()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST_F(UserDefaultsTest, TemporariesLeftByEndedSaversAreRemovedByTheNextSave)
{
    const std::string stale = ".settings.plist.saving-" + std::to_string(endedProcess()) + "-Ab12Cd";
    const std::string live = ".settings.plist.saving-1-Ab12Cd";
    // The copy of an unfinished save of a file since replaced.
    const std::string staleCopy = ".settings.plist.complete-1";
    for (const std::string& name : {stale, live, staleCopy, std::string(".settings.plist.backup"), std::string("notes.txt")})
        std::ofstream(m_folder / name) << "partial";

    // Command-line mode removes nothing.
    UserDefaults readOnly(file());
    readOnly.setPersistent(false);
    readOnly.setObject("k", Value::integer(1));
    EXPECT_EQ(filesIn(m_folder.path()).size(), 5u);

    UserDefaults defaults(file());
    defaults.setObject("k", Value::integer(1));
    EXPECT_EQ(filesIn(m_folder.path()),
        (std::vector<std::string>{".settings.plist.backup", live, "notes.txt", "settings.plist"}));
}

TEST_F(UserDefaultsTest, SaveKeepsTheFilesPermissionsAndHardLinks)
{
    std::ofstream(file()) << propertylist::writeXml(Value(Dictionary{{"old", Value::integer(1)}}));
    fs::permissions(file(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
    const fs::path link = m_folder / "linked.plist";
    fs::create_hard_link(file(), link);

    UserDefaults defaults(file());
    defaults.setObject("new", Value::integer(2));
    const Value expected(Dictionary{{"old", Value::integer(1)}, {"new", Value::integer(2)}});
    EXPECT_EQ(fileContents(), expected);
    EXPECT_EQ(propertylist::readFile(link), expected);
    EXPECT_EQ(fs::hard_link_count(file()), 2u);
    EXPECT_EQ(fs::status(file()).permissions() & fs::perms::all,
        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);

    // A single file, renamed over, keeps its mode too.
    fs::remove(link);
    fs::permissions(file(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    defaults.setObject("newer", Value::integer(3));
    EXPECT_EQ(fs::status(file()).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(filesIn(m_folder.path()), std::vector<std::string>{"settings.plist"});
}

// A hard-linked settings file saved again and again by a child process that is killed
// at a random moment of a save.
class KilledSaves {
public:
    static constexpr const char* kChanging = "changing";

    explicit KilledSaves(fs::path file)
        : m_file(std::move(file))
    {
        restore();
        // The quickest of a few saves: a slow disk now and then must not spread the kills thin.
        UserDefaults defaults(m_file);
        m_saveTime = std::chrono::steady_clock::duration::max();
        for (int save = 0; save < 3; ++save) {
            const auto start = std::chrono::steady_clock::now();
            defaults.setObject(kChanging, Value(std::string()));
            m_saveTime = std::min(m_saveTime, std::chrono::steady_clock::now() - start);
        }
    }

    // Both names hold the settings again, as one file.
    void restore()
    {
        for (const fs::path& name : {m_file, link()})
            fs::remove(name);
        UserDefaults defaults(m_file);
        // The value that changes lies first, so a torn save leaves a file that no longer parses.
        defaults.setObject(kChanging, Value(std::string()));
        defaults.setObject("HistoryColors", history());
        fs::create_hard_link(m_file, link());
    }

    // Whether a start after the kill read every setting.
    bool killOneAndStart()
    {
        int ready[2];
        if (::pipe(ready) != 0)
            return false;
        const pid_t child = ::fork();
        if (child == 0) {
            UserDefaults defaults(m_file);
            [[maybe_unused]] const ssize_t told = ::write(ready[1], "", 1);
            for (std::size_t n = 1;; ++n)
                defaults.setObject(kChanging, Value(std::string(n % 64, 'x')));
        }
        char byte = 0;
        [[maybe_unused]] const ssize_t heard = ::read(ready[0], &byte, 1);
        ::close(ready[0]);
        ::close(ready[1]);
        // Over several saves: a fresh child saves slower than the parent did.
        std::uniform_int_distribution<long long> moment(0, 10 * m_saveTime.count());
        std::this_thread::sleep_for(std::chrono::steady_clock::duration(moment(m_random)));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        logging::Capture log;
        const UserDefaults started(m_file);
        return !log.contains("Could not read") && started.objectForKey("HistoryColors") == history()
            && started.isStored(kChanging) && fs::hard_link_count(m_file) == 2;
    }

private:
    fs::path link() const { return m_file.parent_path() / "linked.plist"; }
    // Colours enough that a save takes a while.
    static Value history() { return Value(std::vector<Value>(5000, Value("FFAA0011"))); }

    fs::path m_file;
    std::chrono::steady_clock::duration m_saveTime{};
    std::mt19937 m_random{std::random_device{}()};
};

TEST_F(UserDefaultsTest, AKillAtAnyMomentOfASaveOfAHardLinkedFileNeverLosesItsSettings)
{
    KilledSaves saves(file());
    int lost = 0;
    for (int kill = 0; kill < 200; ++kill) {
        if (saves.killOneAndStart())
            continue;
        ++lost;
        saves.restore();
    }
    EXPECT_EQ(lost, 0) << "of 200 kills";
}

constexpr uid_t kNobody = 65534;

// Runs `check` as an unprivileged user (root reads every file), in a child process;
// true when it returned true.
bool passesWithoutPrivileges(const std::function<bool()>& check)
{
    if (::geteuid() != 0)
        return check();
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
        ::_exit(dropped && check() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(UserDefaultsTest, FileWeMayNotReadIsNeitherMovedAsideNorReplaced)
{
    const std::string stored = propertylist::writeXml(Value(Dictionary{{"mine", Value::integer(1)}}));
    std::ofstream(file()) << stored;
    fs::permissions(file(), fs::perms::none);
    fs::permissions(m_folder.path(), fs::perms::all);

    const bool refused = passesWithoutPrivileges([this] {
        logging::Capture log;
        UserDefaults defaults(file());
        defaults.setObject("k", Value::integer(2));
        Error error;
        return defaults.storedValues().get("k") == Value::integer(2) && !defaults.synchronize(&error)
            && error.code == 4 && log.contains("Permission denied")
            && filesIn(m_folder.path()) == std::vector<std::string>{"settings.plist"};
    });
    EXPECT_TRUE(refused);
    fs::permissions(file(), fs::perms::owner_read);
    EXPECT_EQ(contents(file()), stored);
}

TEST_F(UserDefaultsTest, AnOutsideWriteThatNoLongerParsesIsMovedAsideAndTheValuesInMemoryStay)
{
    UserDefaults defaults(file());
    defaults.setObject("mine", Value::integer(1));
    const std::string garbage = "<plist><dict><key>half";
    std::ofstream(file()) << garbage;
    defaults.readOutsideChanges();
    EXPECT_EQ(defaults.objectForKey("mine"), Value::integer(1));
    EXPECT_EQ(contents(file()), garbage);

    defaults.setObject("more", Value::integer(2));
    const auto files = filesIn(m_folder.path());
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files.back().rfind("settings.plist.corrupt-", 0), 0u) << files.back();
    EXPECT_EQ(contents(m_folder / files.back()), garbage);
    EXPECT_EQ(fileContents(), (Value(Dictionary{{"mine", Value::integer(1)}, {"more", Value::integer(2)}})));
}

TEST_F(UserDefaultsTest, AFileMadeUnreadableWhileRunningIsNeverReplaced)
{
    const std::string stored = propertylist::writeXml(Value(Dictionary{{"mine", Value::integer(1)}}));
    std::ofstream(file()) << stored;
    fs::permissions(m_folder.path(), fs::perms::all);
    // The unprivileged user below must own the file to take its permissions away.
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(file().c_str(), kNobody, kNobody), 0);
    }

    const bool kept = passesWithoutPrivileges([this] {
        UserDefaults defaults(file());
        fs::permissions(file(), fs::perms::none);
        defaults.readOutsideChanges();
        defaults.setObject("k", Value::integer(2));
        return defaults.objectForKey("mine") == Value::integer(1) && !defaults.synchronize()
            && filesIn(m_folder.path()) == std::vector<std::string>{"settings.plist"};
    });
    EXPECT_TRUE(kept);
    fs::permissions(file(), fs::perms::owner_read);
    EXPECT_EQ(contents(file()), stored);
}

// Runs `check` in a child process whose address space may grow by `headroom` bytes
// at most; true when it returned true (an uncaught bad_alloc ends the child).
bool passesWithLittleMemory(std::size_t headroom, const std::function<bool()>& check)
{
    const pid_t child = ::fork();
    if (child == 0) {
        long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        const auto limit = static_cast<rlim_t>(pages * ::sysconf(_SC_PAGESIZE)) + headroom;
        const rlimit lowered{limit, limit};
        ::_exit(::setrlimit(RLIMIT_AS, &lowered) == 0 && check() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(UserDefaultsTest, RunningOutOfMemoryWhileReadingOrSavingKeepsTheSettingsInMemory)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer's shadow memory needs more address space than the limit set here";
#endif
    constexpr std::size_t kHeadroom = 48 << 20;
    // A sparse file larger than the memory left, costing no disk.
    std::ofstream(file()).close();
    fs::resize_file(file(), std::uintmax_t{1} << 30);
    UserDefaults large(m_folder / "large.plist");
    large.setObject("text", Value(std::string(kHeadroom, 'x')));

    EXPECT_TRUE(passesWithLittleMemory(kHeadroom, [&] {
        logging::Capture log;
        UserDefaults defaults(file());
        defaults.setObject("k", Value::integer(1));
        const bool readKept = log.lines().size() == 1 && log.contains("not enough memory")
            && defaults.objectForKey("k") == Value::integer(1) && fs::file_size(file()) == std::uintmax_t{1} << 30;
        large.setObject("more", Value::integer(2));
        return readKept && log.lines().size() == 2 && log.contains("kept in memory")
            && large.objectForKey("more") == Value::integer(2);
    }));
    EXPECT_EQ(filesIn(m_folder.path()), (std::vector<std::string>{"large.plist", "settings.plist"}));
    EXPECT_FALSE(propertylist::readFile(m_folder / "large.plist").dictionary()->contains("more"));
}

TEST(UserDefaultsPath, FollowsXdgConfigHome)
{
    const char* savedConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string previousConfig = savedConfig ? savedConfig : "";
    const char* savedHome = std::getenv("HOME");
    const std::string previousHome = savedHome ? savedHome : "";

    ::setenv("XDG_CONFIG_HOME", "/somewhere/config", 1);
    EXPECT_EQ(UserDefaults::defaultFilePath(), fs::path("/somewhere/config/vendrel/settings.plist"));
    ::setenv("HOME", "/home/someone", 1);
    ::setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    EXPECT_EQ(UserDefaults::defaultFilePath(), fs::path("/home/someone/.config/vendrel/settings.plist"));
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(UserDefaults::defaultFilePath(), fs::path("/home/someone/.config/vendrel/settings.plist"));

    if (savedConfig)
        ::setenv("XDG_CONFIG_HOME", previousConfig.c_str(), 1);
    if (savedHome)
        ::setenv("HOME", previousHome.c_str(), 1);
}

} // namespace
