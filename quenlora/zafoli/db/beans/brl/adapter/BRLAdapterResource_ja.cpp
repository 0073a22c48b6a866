#include "quenlora/zafoli/db/beans/brl/adapter/BRLAdapterResource.h"

namespace quenlora::zafoli::db::beans::brl::adapter {

const std::vector<plat::text::BundleEntry>& BRLAdapterResource_ja::getContents() const {
  static const std::vector<plat::text::BundleEntry> contents = {
      {"Calculation Rule Type", "計算の適用先"},
      {"Calculation Output Datatype", "出力データ型"},
      {"Calculation Class", "計算クラス"},
      {"Calculation Inputs", "計算の入力"},
      {"Calculation Alias name", "別名"},
      {"Calculation Output name", "計算出力名"},
      {"Calculation DataBinding", "データバインディング名"},
      {"Aggregate Calculation Class", "集計計算クラス"},
      {"Validation Rule Type", "検証の適用先"},
      {"Validation Class", "検証クラス"},
      {"Validation Inputs", "検証の入力"},
      {"Validation Operators", "比較演算子"},
      {"Validation Targets", "比較に使用する入力"},
      {"Validation Message", "カスタムメッセージ"},
      {"Validation dialog", "検証失敗時にダイアログを表示"},
      {"Validation log", "ログウィンドウにメッセージを出力"},
      {"Validation output name", "検証出力名"},
      {"Folder Name", "データソース"},
      {"Toolbar Name", "データソース"},
      {"No class name has been specified", "クラス名が指定されていません"},
      {"Either Calculation or Validation needs to be implemented",
       "Calculation または Validation を実装する必要があります"},
      {"Exception while calculating aggregate: ", "集計の計算中に例外が発生しました: "},
      {"CalculationAdapter/ValidationAdapter can respond to only one Query Navigator record/column events",
       "CalculationAdapter/ValidationAdapter が応答できるのは 1 つの Query Navigator のレコード/列イベントだけです"},
      {"using ", "使用するクラス "},
      {".", "。"},
      {"Calculation performed for:", "計算を実行しました:"},
      {"Casting to Calculation failed", "Calculation へのキャストに失敗しました"},
      {"Calculation Output Name property is not set. Please set this property for the CalculationAdapter before "
       "proceeding",
       "計算出力名プロパティが設定されていません。続行する前に CalculationAdapter のこのプロパティを設定してください"},
      {"Validation Output Name property is not set. Please set this property for the ValidationAdapter before "
       "proceeding",
       "検証出力名プロパティが設定されていません。続行する前に ValidationAdapter のこのプロパティを設定してください"},
      {"Exception from Validation Adapter:", "Validation Adapter からの例外:"},
      {"Validation performed for:", "検証を実行しました:"},
      {"Validation failed for the specified rule", "指定されたルールの検証に失敗しました"},
      {"OK", "OK"},
      {"Aggregate calculation cannot be applied to rule", "集計計算はルールに適用できません"},
      {"Change the adapter to perform the calculation for single row change",
       "単一行の変更で計算を実行するようにアダプタを変更してください"},
      {"Row", "行"},
      {"Set of Rows", "行のセット"},
      {"Column", "列"},
      {"Constant", "定数"},
      {"AdapterConstants_DEFAULTFONT_SIZE", 12},
      {"AdapterConstants_WIZARD_HEIGHT", 400},
      {"AdapterConstants_WIZARD_WIDTH", 480},
      {"AdapterConstants_PROPEDITOR_WIDTH", 450},
      {"AdapterConstants_PROPEDITOR_HEIGHT", 350},
  };
  return contents;
}

}  // namespace quenlora::zafoli::db::beans::brl::adapter
