// The records as a listing: comment lines in the player's language, rows of fixed columns.
#include "records/records_listing.h"

#include "records/records_dates.h"
#include "services/texts.h"

namespace {

std::string ReplayPath(const std::string& replaysFolder, const std::string& name) {
  if (name.empty()) {
    return "-";
  }
  return replaysFolder.empty() || replaysFolder.ends_with('/') ? replaysFolder + name
                                                               : replaysFolder + "/" + name;
}

void ListSolo(const Records& records, RecordStart start, const std::string& replaysFolder,
              std::string& text) {
  text += "#\n# ";
  text += start == RecordStart::Normal ? Tr("Solo games, normal start: the ten longest")
                                       : Tr("Solo games, hard start: the ten longest");
  text += std::string("\n# ") + Tr("table") + "\t" + Tr("rank") + "\t" + Tr("km") + "\t" +
          Tr("date (UTC)") + "\t" + Tr("replay") + "\n";
  const std::vector<SoloRecord>& table = records.Solo(start);
  for (size_t i = 0; i < table.size(); ++i) {
    text += std::string("solo-") + std::string(RecordStartName(start)) + "\t" +
            std::to_string(i + 1) + "\t" + std::to_string(table[i].distance) + "\t" +
            UtcDateText(table[i].date) + "\t" + ReplayPath(replaysFolder, table[i].replay) + "\n";
  }
  if (table.empty()) {
    text += std::string("# ") + Tr("(no game yet)") + "\n";
  }
}

}  // namespace

std::string RecordsListing(const Records& records, const std::string& replaysFolder) {
  std::string text = std::string("# ") + Tr("Astorine's records") + "\n# " +
                     Tr("Watch a game again with: astorine --replay PATH") + "\n";
  for (RecordStart start : RecordStarts) {
    ListSolo(records, start, replaysFolder, text);
  }
  text += std::string("#\n# ") + Tr("Matches against the computer") + "\n# " + Tr("table") + "\t" +
          Tr("wins") + "\t" + Tr("losses") + "\n";
  for (RecordStart start : RecordStarts) {
    const ComputerTally& tally = records.Computer(start);
    text += std::string("computer-") + std::string(RecordStartName(start)) + "\t" +
            std::to_string(tally.wins) + "\t" + std::to_string(tally.losses) + "\n";
  }
  return text;
}
