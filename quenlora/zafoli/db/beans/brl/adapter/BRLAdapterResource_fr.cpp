#include "quenlora/zafoli/db/beans/brl/adapter/BRLAdapterResource.h"

namespace quenlora::zafoli::db::beans::brl::adapter {

const std::vector<plat::text::BundleEntry>& BRLAdapterResource_fr::getContents() const {
  static const std::vector<plat::text::BundleEntry> contents = {
      {"Calculation Rule Type", "Appliquer le calcul à"},
      {"Calculation Output Datatype", "Type de données de sortie"},
      {"Calculation Class", "Classe de calcul"},
      {"Calculation Inputs", "Entrées du calcul"},
      {"Calculation Alias name", "Nom d'alias"},
      {"Calculation Output name", "Nom de la sortie du calcul"},
      {"Calculation DataBinding", "Nom de liaison de données"},
      {"Aggregate Calculation Class", "Classe du calcul d'agrégat"},
      {"Validation Rule Type", "Appliquer la validation à"},
      {"Validation Class", "Classe de validation"},
      {"Validation Inputs", "Entrées de la validation"},
      {"Validation Operators", "Opérateur de comparaison"},
      {"Validation Targets", "Entrées utilisées pour la comparaison"},
      {"Validation Message", "Message personnalisé"},
      {"Validation dialog", "Afficher une boîte de dialogue si la validation échoue"},
      {"Validation log", "Écrire le message dans la fenêtre de journal"},
      {"Validation output name", "Nom de la sortie de validation"},
      {"Folder Name", "Source de données"},
      {"Toolbar Name", "Source de données"},
      {"No class name has been specified", "Aucun nom de classe n'a été indiqué"},
      {"Either Calculation or Validation needs to be implemented", "Calculation ou Validation doit être implémentée"},
      {"Exception while calculating aggregate: ", "Exception lors du calcul de l'agrégat : "},
      {"CalculationAdapter/ValidationAdapter can respond to only one Query Navigator record/column events",
       "CalculationAdapter/ValidationAdapter ne peut répondre qu'aux événements d'enregistrement/de colonne d'un seul "
       "Query Navigator"},
      {"using ", "avec "},
      {".", "."},
      {"Calculation performed for:", "Calcul effectué pour :"},
      {"Casting to Calculation failed", "Échec de la conversion en Calculation"},
      {"Calculation Output Name property is not set. Please set this property for the CalculationAdapter before "
       "proceeding",
       "La propriété Nom de la sortie du calcul n'est pas définie. Définissez cette propriété du CalculationAdapter "
       "avant de continuer"},
      {"Validation Output Name property is not set. Please set this property for the ValidationAdapter before "
       "proceeding",
       "La propriété Nom de la sortie de validation n'est pas définie. Définissez cette propriété du ValidationAdapter "
       "avant de continuer"},
      {"Exception from Validation Adapter:", "Exception du Validation Adapter :"},
      {"Validation performed for:", "Validation effectuée pour :"},
      {"Validation failed for the specified rule", "La validation de la règle indiquée a échoué"},
      {"OK", "OK"},
      {"Aggregate calculation cannot be applied to rule", "Le calcul d'agrégat ne peut pas être appliqué à la règle"},
      {"Change the adapter to perform the calculation for single row change",
       "Modifiez l'adaptateur pour effectuer le calcul lors de la modification d'une seule ligne"},
      {"Row", "Ligne"},
      {"Set of Rows", "Ensemble de lignes"},
      {"Column", "Colonne"},
      {"Constant", "Constante"},
      {"AdapterConstants_DEFAULTFONT_SIZE", 11},
      {"AdapterConstants_WIZARD_HEIGHT", 400},
      {"AdapterConstants_WIZARD_WIDTH", 480},
      {"AdapterConstants_PROPEDITOR_WIDTH", 450},
      {"AdapterConstants_PROPEDITOR_HEIGHT", 350},
  };
  return contents;
}

}  // namespace quenlora::zafoli::db::beans::brl::adapter
