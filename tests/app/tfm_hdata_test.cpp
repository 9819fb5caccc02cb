#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/tfm_hdata.h"
#include "support/temp_folder.h"

namespace {

// The window lists the ranges it is given, and after a download (here one that fails, the
// server being unreachable) shows the message, hides itself and is ready again.
TEST(TfmHdataTest, OffersRangesAndComesBackIdleAfterAFailedDownload) {
  varnolt::testing::TempFolder root;
  TfmHdata window{varnolt::ProgramFolder(root.Path())};
  std::vector<QString> shown;
  window.inform = [&](const QString& message) { shown.push_back(message); };
  varnolt::HistoryOffer offer;
  offer.entries = {{{1999, 1}, false}, {{2000, 2}, false}};
  offer.items = {"1999～2000年の全データ", "2000年の全データ"};
  varnolt::ServerConfig unreachable;
  unreachable.files = "http://127.0.0.1:1/";
  window.Offer(offer, unreachable);
  auto* list = window.findChild<QComboBox*>("cbhdata");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->count(), 2);
  EXPECT_EQ(list->currentText(), "1999～2000年の全データ");
  EXPECT_TRUE(window.isVisible());

  window.Button1Click();
  EXPECT_EQ(shown, std::vector<QString>{"2000年以前のダウンロードに失敗しました"});
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.findChild<QLineEdit*>("edhist")->text(), "待機中");
  EXPECT_TRUE(window.findChild<QPushButton*>("Button1")->isEnabled());
}

}  // namespace
