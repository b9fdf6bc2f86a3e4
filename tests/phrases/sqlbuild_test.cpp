// keldar-sqlbuild: a database appears only when every statement of every script ran.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "sqlbuild_support.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

class SqlBuild : public ::testing::Test {
 protected:
  std::string Path(const char* name) const { return (folder_ / name).string(); }
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_.Path())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  TempFolder folder_;
};

TEST_F(SqlBuild, RunsEveryScriptInOrderIntoAFreshFile) {
  WriteFile(folder_ / "a.sql", "CREATE TABLE t (x INTEGER);\nINSERT INTO t VALUES (1);\n");
  WriteFile(folder_ / "b.sql", "-- second part\nINSERT INTO t VALUES (2); /* done */\n");
  for (int run = 0; run < 2; ++run) {
    // The second run would fail on CREATE TABLE if it reused the earlier file.
    const auto result = RunSqlBuild({Path("out.db"), Path("a.sql"), Path("b.sql")});
    ASSERT_EQ(result.exit_code, 0) << result.errors;
    EXPECT_EQ(QueryColumn(folder_ / "out.db", "SELECT x FROM t ORDER BY x"),
              (std::vector<std::string>{"1", "2"}));
  }
  EXPECT_EQ(Files(), (std::vector<std::string>{"a.sql", "b.sql", "out.db"}));
}

TEST_F(SqlBuild, RefusesBadSqlWithoutLeavingAFile) {
  struct Case {
    const char* sql;
    const char* where;  // file and line of the failing statement
    const char* why;
  };
  const Case cases[] = {
      {"CREATE TABLE t (x);\n\n-- wrong table\nINSERT INTO missing VALUES (1);\n",
       "bad.sql:4:", "no such table"},
      {"CREATE TABLE t (x PRIMARY KEY);\nINSERT INTO t VALUES (1), (1);\n",
       "bad.sql:2:", "UNIQUE"},  // fails while running, not while being read
  };
  for (const auto& c : cases) {
    WriteFile(folder_ / "bad.sql", c.sql);
    const auto result = RunSqlBuild({Path("out.db"), Path("bad.sql")});
    EXPECT_NE(result.exit_code, 0);
    EXPECT_NE(result.errors.find(c.where), std::string::npos) << result.errors;
    EXPECT_NE(result.errors.find(c.why), std::string::npos) << result.errors;
    EXPECT_EQ(Files(), std::vector<std::string>{"bad.sql"});
  }
}

TEST_F(SqlBuild, FailedRebuildKeepsThePreviousFile) {
  WriteFile(folder_ / "good.sql", "CREATE TABLE t (x); INSERT INTO t VALUES ('old');");
  ASSERT_EQ(RunSqlBuild({Path("out.db"), Path("good.sql")}).exit_code, 0);
  WriteFile(folder_ / "bad.sql", "CREATE TABLE t (x); INSERT INTO t VALUES ('new'); oops;");
  EXPECT_NE(RunSqlBuild({Path("out.db"), Path("bad.sql")}).exit_code, 0);
  EXPECT_EQ(QueryColumn(folder_ / "out.db", "SELECT x FROM t"), std::vector<std::string>{"old"});
  EXPECT_EQ(Files(), (std::vector<std::string>{"bad.sql", "good.sql", "out.db"}));
}

TEST_F(SqlBuild, RefusesMissingInputAndMissingArguments) {
  const auto missing = RunSqlBuild({Path("out.db"), Path("absent.sql")});
  EXPECT_NE(missing.exit_code, 0);
  EXPECT_NE(missing.errors.find("absent.sql"), std::string::npos) << missing.errors;
  EXPECT_NE(RunSqlBuild({Path("out.db")}).exit_code, 0);
  EXPECT_TRUE(Files().empty());
}

}  // namespace
