// The records in memory and as text: where games rank, what falls off a full table, the records
// file read back whole or line by line leniently, and the listing of --records.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "records/records.h"
#include "records/records_dates.h"
#include "records/records_file.h"
#include "records/records_listing.h"

namespace {

const std::string FileName = "records.conf";

// 2026-12-07T20:31:05Z, and `seconds` later.
int64_t Date(int64_t seconds = 0) {
  return 1796675465 + seconds;
}

std::vector<int32_t> Distances(const Records& records, RecordStart start) {
  std::vector<int32_t> distances;
  for (const SoloRecord& entry : records.Solo(start)) {
    distances.push_back(entry.distance);
  }
  return distances;
}

TEST(RecordsTables, GamesRankByDistanceTheEarlierFirstAndTheEleventhFallsOff) {
  Records records;
  std::optional<SoloRecord> fellOff;
  EXPECT_EQ(SoloRank(records, RecordStart::Normal, 0), 0) << "a game of 0 km makes no record";
  EXPECT_EQ(AddSoloRecord(records, RecordStart::Normal, {0, Date(), ""}, fellOff), 0);
  EXPECT_EQ(SoloRank(records, RecordStart::Normal, 1), 1);
  const int32_t played[] = {500, 900, 500, 100, 700, 900, 300, 200, 800, 400};
  for (int game = 0; game < 10; ++game) {
    const int expected = SoloRank(records, RecordStart::Normal, played[game]);
    const SoloRecord entry{played[game], Date(game), "game" + std::to_string(game) + ".replay"};
    EXPECT_EQ(AddSoloRecord(records, RecordStart::Normal, entry, fellOff), expected) << game;
    EXPECT_FALSE(fellOff);
  }
  EXPECT_EQ(Distances(records, RecordStart::Normal),
            (std::vector<int32_t>{900, 900, 800, 700, 500, 500, 400, 300, 200, 100}));
  // Equal distances: the earlier game first.
  EXPECT_EQ(records.Solo(RecordStart::Normal)[0].replay, "game1.replay");
  EXPECT_EQ(records.Solo(RecordStart::Normal)[4].replay, "game0.replay");
  EXPECT_TRUE(records.Solo(RecordStart::Hard).empty());

  // A full table: a new game equal to the last does not make it, one better pushes the last out.
  EXPECT_EQ(SoloRank(records, RecordStart::Normal, 100), 0);
  EXPECT_EQ(AddSoloRecord(records, RecordStart::Normal, {100, Date(10), "late.replay"}, fellOff),
            0);
  EXPECT_FALSE(fellOff);
  EXPECT_EQ(SoloRank(records, RecordStart::Normal, 500), 7);
  EXPECT_EQ(AddSoloRecord(records, RecordStart::Normal, {500, Date(11), "new.replay"}, fellOff), 7);
  ASSERT_TRUE(fellOff);
  EXPECT_EQ(fellOff->replay, "game3.replay");
  EXPECT_EQ(records.Solo(RecordStart::Normal).size(), SoloTableSize);
  EXPECT_EQ(SoloRank(records, RecordStart::Normal, 901), 1);
  // Of two games begun in the same second, the one kept first stays above.
  EXPECT_EQ(AddSoloRecord(records, RecordStart::Normal, {500, Date(11), "twin.replay"}, fellOff),
            8);
  EXPECT_EQ(records.Solo(RecordStart::Normal)[6].replay, "new.replay");

  // An entry the file could not hold is refused, the table unchanged.
  const Records before = records;
  for (const SoloRecord& bad : {SoloRecord{-5, Date(), ""}, SoloRecord{999, LastRecordDate + 1, ""},
                                SoloRecord{999, Date(), "../x.replay"}}) {
    EXPECT_EQ(AddSoloRecord(records, RecordStart::Normal, bad, fellOff), 0);
  }
  EXPECT_EQ(records, before);
}

TEST(RecordsFile, DatesAreUtcIso8601) {
  EXPECT_EQ(UtcDateText(Date()), "2026-12-07T20:31:05Z");
  EXPECT_EQ(UtcDateText(0), "1970-01-01T00:00:00Z");
  EXPECT_EQ(UtcDateText(-1), "1969-12-31T23:59:59Z");
  EXPECT_EQ(UtcDateText(FirstRecordDate), "0000-01-01T00:00:00Z");
  EXPECT_EQ(UtcDateText(LastRecordDate), "9999-12-31T23:59:59Z");
  EXPECT_EQ(UtcDateText(LastRecordDate + 1), "");
  EXPECT_EQ(UtcDateText(FirstRecordDate - 1), "");
  for (int64_t date : {Date(), int64_t{0}, int64_t{-1}, int64_t{951782400} /* 2000-02-29 */,
                       FirstRecordDate, LastRecordDate}) {
    EXPECT_EQ(UtcDateFrom(UtcDateText(date)), date) << date;
  }
  for (const char* bad : {"2026-12-07T20:31:05", "2026-12-07 20:31:05Z", "2026-02-29T00:00:00Z",
                          "2026-13-01T00:00:00Z", "2026-12-07T24:00:00Z", "2026-12-07T20:60:00Z",
                          "2026-12-07T20:31:60Z", "+026-12-07T20:31:05Z", ""}) {
    EXPECT_FALSE(UtcDateFrom(bad)) << bad;
  }
}

TEST(RecordsFile, TheTextReadsBackToTheSameRecords) {
  Records records;
  std::optional<SoloRecord> fellOff;
  for (int game = 0; game < 12; ++game) {
    AddSoloRecord(records, RecordStart::Normal,
                  {1000 - game * 37 % 300, Date(game), "g" + std::to_string(game) + ".replay"},
                  fellOff);
  }
  AddSoloRecord(records, RecordStart::Hard, {INT32_MAX, LastRecordDate, ""}, fellOff);
  AddSoloRecord(records, RecordStart::Hard, {1, FirstRecordDate, "a.replay"}, fellOff);
  records.Computer(RecordStart::Normal) = {3, 5};
  records.Computer(RecordStart::Hard) = {UINT32_MAX, 0};
  const std::string text = RecordsText(records);
  std::vector<std::string> complaints;
  EXPECT_EQ(ReadRecords(text, FileName, complaints), records);
  EXPECT_TRUE(complaints.empty()) << complaints[0];
  EXPECT_NE(text.find("\n[solo normal]\n1 = 1000 2026-12-07T20:31:05Z g0.replay\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\n[solo hard]\n1 = 2147483647 9999-12-31T23:59:59Z\n"), std::string::npos)
      << text;
  EXPECT_NE(text.find("\n[computer normal]\nwins = 3\nlosses = 5\n"), std::string::npos) << text;

  // Empty records, and no text at all, read back as no records.
  EXPECT_EQ(ReadRecords(RecordsText(Records{}), FileName, complaints), Records{});
  EXPECT_EQ(ReadRecords("", FileName, complaints), Records{});
  EXPECT_TRUE(complaints.empty());
}

TEST(RecordsFile, BadLinesAreNamedByNumberAndTheRestIsKept) {
  const std::string text =
      "stray = 1\n"                                                // 1
      "[solo normal]\r\n"                                          // 2
      "  2 = 300 2026-12-07T20:31:05Z b.replay   # a comment\r\n"  // 3
      "1=100 2026-12-01T00:00:00Z a.replay\n"                      // 4
      "3 = 300 2026-11-07T20:31:05Z\n"                             // 5
      "2 = 900 2026-12-07T20:31:05Z twice.replay\n"                // 6
      "11 = 900 2026-12-07T20:31:05Z\n"                            // 7
      "4 = 0 2026-12-07T20:31:05Z\n"                               // 8
      "4 = 900 2026-12-07\n"                                       // 9
      "4 = 900 2026-12-07T20:31:05Z ../../.bashrc\n"               // 10
      "4 = 900 2026-12-07T20:31:05Z a b\n"                         // 11
      "no equals here\n"                                           // 12
      "[solo easy]\n"                                              // 13
      "1 = 5000 2026-12-07T20:31:05Z skipped.replay\n"             // 14
      "[computer hard]\n"                                          // 15
      "wins = 7\n"                                                 // 16
      "losses = -1\n"                                              // 17
      "draws = 2\n"                                                // 18
      "wins = 8\n"                                                 // 19
      "losses = 4294967296\n";                                     // 20
  std::vector<std::string> complaints;
  const Records records = ReadRecords(text, FileName, complaints);
  std::vector<std::string> lines;
  for (const std::string& complaint : complaints) {
    lines.push_back(complaint.substr(0, complaint.find(':', FileName.size() + 1)));
  }
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "records.conf:1", "records.conf:6", "records.conf:7", "records.conf:8",
                       "records.conf:9", "records.conf:10", "records.conf:11", "records.conf:12",
                       "records.conf:13", "records.conf:17", "records.conf:18", "records.conf:19",
                       "records.conf:20"}));
  EXPECT_NE(complaints[1].find("rank 2 is given twice"), std::string::npos) << complaints[1];
  EXPECT_NE(complaints[8].find("unknown section '[solo easy]'"), std::string::npos)
      << complaints[8];
  // The table in the game's order whatever its ranks said: the earlier of two equal first.
  ASSERT_EQ(records.Solo(RecordStart::Normal).size(), 3u);
  EXPECT_EQ(records.Solo(RecordStart::Normal)[0], (SoloRecord{300, Date() - 30 * 86400, ""}));
  EXPECT_EQ(records.Solo(RecordStart::Normal)[1].replay, "b.replay");
  EXPECT_EQ(records.Solo(RecordStart::Normal)[2].replay, "a.replay");
  EXPECT_TRUE(records.Solo(RecordStart::Hard).empty());
  EXPECT_EQ(records.Computer(RecordStart::Hard), (ComputerTally{7, 0}));
}

TEST(RecordsListing, RowsOfTabSeparatedColumnsUnderCommentedHeadings) {
  Records records;
  std::optional<SoloRecord> fellOff;
  AddSoloRecord(records, RecordStart::Hard, {12840, Date(), "best.replay"}, fellOff);
  AddSoloRecord(records, RecordStart::Hard, {99, Date(60), ""}, fellOff);
  records.Computer(RecordStart::Normal) = {3, 5};
  const std::string listing = RecordsListing(records, "/home/p/replays/records");
  std::vector<std::string> rows;
  size_t at = 0;
  for (size_t end; (end = listing.find('\n', at)) != std::string::npos; at = end + 1) {
    const std::string line = listing.substr(at, end - at);
    if (!line.starts_with("#")) {
      rows.push_back(line);
    }
  }
  EXPECT_EQ(at, listing.size()) << "the last line ends too";
  EXPECT_EQ(rows,
            (std::vector<std::string>{
                "solo-hard\t1\t12840\t2026-12-07T20:31:05Z\t/home/p/replays/records/best.replay",
                "solo-hard\t2\t99\t2026-12-07T20:32:05Z\t-", "computer-normal\t3\t5",
                "computer-hard\t0\t0"}));
  EXPECT_NE(listing.find("# table\trank\tkm\tdate (UTC)\treplay\n"), std::string::npos) << listing;
}

}  // namespace
