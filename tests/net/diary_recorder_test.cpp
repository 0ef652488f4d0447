#include "net/diary/diary_recorder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "net/diary/connection_file.h"
#include "net/diary/connection_location.h"
#include "tests/net/diary_sandbox.h"

namespace zelvor::diary {
namespace {

class DiaryRecorderTest : public zelvor::testing::DiarySandbox {
 protected:
  std::string dataFile() { return sim.folders.userData_ + "zelvor/conexion.dat"; }
  std::vector<CItemDiario> records(const std::string& path) {
    std::vector<CItemDiario> got;
    (void)ConnectionFile(sim.files, path).ReadRecords([&](std::uint64_t, const CItemDiario& r) {
      got.push_back(r);
      return true;
    });
    return got;
  }
  ShowMessage collect() {
    return [this](const DiaryMessage& m) { shown.push_back(m); };
  }
  std::vector<DiaryMessage> shown;
};

TEST_F(DiaryRecorderTest, TheFileLivesInTheDataFolderUnlessAnotherIsSet) {
  EXPECT_EQ(ConnectionFilePath(store, collect()), dataFile());
  const std::string other = folder + "diario";
  std::filesystem::create_directories(other);
  store.WriteConfigString("DedoVuv", "CarpetaRegistro", other);  // no trailing separator
  EXPECT_EQ(ConnectionFilePath(store, collect()), other + "/conexion.dat");
  store.WriteConfigString("DedoVuv", "CarpetaRegistro", other + "/");
  EXPECT_EQ(ConnectionFilePath(store, collect()), other + "/conexion.dat");
  EXPECT_TRUE(shown.empty());
}

TEST_F(DiaryRecorderTest, AMissingFolderIsReportedOnEveryUseAndFallsBack) {
  const std::string missing = folder + "gone";
  store.WriteConfigString("DedoVuv", "CarpetaRegistro", missing);
  EXPECT_EQ(ConnectionFilePath(store, collect()), dataFile());
  EXPECT_EQ(ConnectionFilePath(store, collect()), dataFile());
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].text, "No se encuentra la carpeta \"" + missing +
                               "/\" para la ubicación del archivo de registro de las conexiones. "
                               "Se utilizará el directorio donde está instalado Zelvor.");
  EXPECT_EQ(shown[0].caption, "Archivo de registro de las conexiones");
  EXPECT_EQ(shown[0].icon, DiaryMessage::Icon::Information);
  EXPECT_TRUE(shown[0].systemModal);
  // A file where the folder should be is no folder either.
  SCOPED_TRACE("file");
  writeBytes(folder + "afile", "x");
  store.WriteConfigString("DedoVuv", "CarpetaRegistro", folder + "afile");
  EXPECT_EQ(ConnectionFilePath(store, collect()), dataFile());
  EXPECT_EQ(shown.size(), 3u);
}

TEST_F(DiaryRecorderTest, RecordsAConnectionWhenItEnds) {
  DiaryRecorder recorder(store, sim.clock, collect());
  EXPECT_FALSE(recorder.EndRecord());  // nothing held
  const std::int64_t up = sim.clock.now();
  recorder.BeginRecord("Mi proveedor", std::string(100, 'm'));
  EXPECT_EQ(recorder.ConnectedSince(), up);
  sim.clock.advanceMs(400'000);
  recorder.BeginRecord("Otro", "otro");  // a record is held already: kept
  sim.clock.advanceMs(5'000);
  EXPECT_TRUE(recorder.EndRecord());
  EXPECT_FALSE(recorder.HasRecord());
  EXPECT_EQ(records(dataFile()),
            (std::vector<CItemDiario>{{std::string(63, 'm'), "Mi proveedor", up, 405}}));
}

TEST_F(DiaryRecorderTest, DisabledRecordingDropsTheRecord) {
  store.WriteConfigString("DedoVuv", "DeshabilitarRegistro", "1");
  DiaryRecorder recorder(store, sim.clock, collect());
  recorder.BeginRecord("a", "b");
  sim.clock.advanceMs(60'000);
  EXPECT_FALSE(recorder.EndRecord());
  EXPECT_FALSE(recorder.HasRecord());
  EXPECT_FALSE(std::filesystem::exists(dataFile()));
}

TEST_F(DiaryRecorderTest, AnUnwritableFileLosesOnlyThatRecord) {
  std::filesystem::create_directories(dataFile());  // a folder where the file should be
  DiaryRecorder recorder(store, sim.clock, collect());
  recorder.BeginRecord("a", "b");
  EXPECT_FALSE(recorder.EndRecord());
  EXPECT_FALSE(recorder.HasRecord());
}

}  // namespace
}  // namespace zelvor::diary
