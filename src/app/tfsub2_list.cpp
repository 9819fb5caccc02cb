// The left part of the stock browser: listing, selecting and checking stocks.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "app/tf_main.h"
#include "app/tf_memo.h"
#include "app/tfsub2.h"
#include "base/data_set_names.h"
#include "base/fields.h"
#include "base/messages.h"
#include "screening/stock_browser.h"
#include "store/catalogue.h"

namespace {

QString FromUtf8(const std::string& text) {
  return QString::fromStdString(text);
}

QStringList ToQt(const std::vector<std::string>& items) {
  QStringList list;
  list.reserve(static_cast<qsizetype>(items.size()));
  for (const std::string& item : items) list << FromUtf8(item);
  return list;
}

std::vector<std::string> ToStd(const QStringList& items) {
  std::vector<std::string> list;
  list.reserve(static_cast<size_t>(items.size()));
  for (const QString& item : items) list.push_back(item.toStdString());
  return list;
}

}  // namespace

QStringList Tfsub2::ListedItems() const {
  QStringList items;
  for (int i = 0; i < list_->count(); ++i) items << list_->item(i)->text();
  return items;
}

void Tfsub2::ShowItems(const QStringList& items) {
  list_->clear();
  list_->addItems(items);
}

void Tfsub2::ListByFilter(const std::string& filter) {
  Guarded([&] {
    ShowItems(ToQt(varnolt::ListRecords(varnolt::LoadCatalogue(folder_.Root()), filter)));
  });
}

std::vector<std::string> Tfsub2::GroupList() const {
  std::vector<std::string> groups;
  for (int i = 0; i < groups_->count(); ++i) groups.push_back(groups_->itemText(i).toStdString());
  return groups;
}

// Replaces the group list, keeping the text the box shows.
void Tfsub2::SetGroupList(const std::vector<std::string>& groups) {
  const QString text = groups_->currentText();
  groups_->clear();
  groups_->addItems(ToQt(groups));
  const int index = groups_->findText(text);
  if (index >= 0) {
    groups_->setCurrentIndex(index);
  } else {
    groups_->setCurrentIndex(-1);
    groups_->setEditText(text);
  }
}

void Tfsub2::Button2Click() {
  Guarded([this] {
    const varnolt::Lines catalogue = varnolt::LoadCatalogue(folder_.Root());
    const std::string filter = varnolt::MarketSectorFilter(
        markets_->currentIndex(), sectors_->currentIndex(), varnolt::SectorFilterList(catalogue));
    ShowItems(ToQt(varnolt::ListRecords(catalogue, filter)));
  });
}

void Tfsub2::Button3Click() {
  const std::string text(varnolt::TrimText(name_->text().toStdString()));
  if (text.empty()) return;
  list_->clear();
  Guarded([&] {
    ShowItems(ToQt(varnolt::SearchStocks(varnolt::LoadCatalogue(folder_.Root()), text)));
  });
}

void Tfsub2::Button12Click() {
  ListByFilter(varnolt::CheckListFilter(groups_->currentText().toStdString()));
}

void Tfsub2::Button13Click() {
  const QStringList items = ListedItems();
  const bool any_checked = std::any_of(items.begin(), items.end(), [](const QString& item) {
    return varnolt::ItemChecked(item.toStdString());
  });
  if (!any_checked || !confirm(varnolt::kClearChecksQuestion)) return;
  Guarded([&] {
    varnolt::Lines catalogue = varnolt::LoadCatalogue(folder_.Root());
    const auto cleared = varnolt::ClearChecks(catalogue, ToStd(items));
    varnolt::SaveCatalogue(folder_.Root(), catalogue);
    SetGroupList(varnolt::UpdateGroupList(GroupList(), catalogue, ""));
    ShowItems(ToQt(cleared));
  });
}

void Tfsub2::Button11Click() {
  const QStringList items = ListedItems();
  if (items.isEmpty()) return;
  const std::optional<QString> name = askGroupName();
  if (!name) return;
  const std::string group = name->toStdString();
  Guarded([&] {
    varnolt::Lines catalogue = varnolt::LoadCatalogue(folder_.Root());
    const auto checked = varnolt::CheckAll(catalogue, ToStd(items), group);
    varnolt::SaveCatalogue(folder_.Root(), catalogue);
    SetGroupList(varnolt::UpdateGroupList(GroupList(), catalogue, group));
    ShowItems(ToQt(checked));
  });
}

void Tfsub2::Button24Click() {
  if (memo_ == nullptr) return;
  memo_->show();
  memo_->raise();
}

void Tfsub2::lbnameClick() {
  QListWidgetItem* selected = list_->currentItem();
  if (selected != nullptr && memo_ != nullptr) memo_->SelectStock(selected->text());
  // A chart being drawn owns the main window's state until it is done.
  if (selected == nullptr || (main_ != nullptr && main_->drawingChart())) return;
  ShowDetails(selected->text());
  lbnameDblClick();
}

void Tfsub2::ShowDetails(const QString& item) {
  Guarded([&] {
    const varnolt::StockDetails details = varnolt::DetailsOfItem(
        varnolt::LoadCatalogue(folder_.Root()), item.toStdString(), folder_, today_());
    const std::pair<const char*, const std::string*> kBoxes[] = {
        {"edcode", &details.code},   {"edmrk", &details.market},        {"edkind", &details.sector},
        {"ednewed", &details.close}, {"ednewvol", &details.volume},     {"edper", &details.per},
        {"edpbr", &details.pbr},     {"edroe", &details.roe},           {"edroa", &details.roa},
        {"edhaito", &details.yield}, {"edtangen", &details.unit_shares}};
    for (const auto& [name, text] : kBoxes) findChild<QLineEdit*>(name)->setText(FromUtf8(*text));
  });
}

void Tfsub2::lbnameDblClick() {
  QListWidgetItem* selected = list_->currentItem();
  if (selected == nullptr) return;
  if (!on_off_->isChecked()) {
    SendToMainWindow(selected->text());
    return;
  }
  const std::string group = varnolt::GroupOfBoxText(groups_->currentText().toStdString());
  Guarded([&] {
    varnolt::Lines catalogue = varnolt::LoadCatalogue(folder_.Root());
    const std::string item = varnolt::ToggleCheck(catalogue, selected->text().toStdString(), group);
    varnolt::SaveCatalogue(folder_.Root(), catalogue);
    const bool checked_now = varnolt::ItemChecked(item);
    SetGroupList(varnolt::UpdateGroupList(GroupList(), catalogue, checked_now ? group : ""));
    selected->setText(FromUtf8(item));
  });
}

// Loads the stock into the chosen data set of the main window and, when it loaded, draws its
// chart on cleared regions.
void Tfsub2::SendToMainWindow(const QString& item) {
  if (main_ == nullptr) return;
  const int data_number = data2_->isChecked() ? 2 : 1;
  const varnolt::DataSetNames& names = varnolt::DataSetNamesOf(data_number);
  auto* box = main_->findChild<QComboBox*>(names.selection.code);
  if (box == nullptr) return;
  box->setEditText(FromUtf8(varnolt::ItemWithoutCheck(item.toStdString())));
  if (data_number == 2) {
    main_->buselect2Click();
    if (!main_->data2().loaded) return;
    main_->Button17Click();
    main_->buShow2Click();
  } else {
    main_->buselectClick();
    if (!main_->data1().loaded) return;
    main_->Button4Click();
    main_->buShow1Click();
  }
  main_->show();
  main_->raise();
  main_->activateWindow();
}
