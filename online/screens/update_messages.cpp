#include "online/screens/update_messages.h"

namespace {

UpdateMessage Refused(RecordProblem problem) {
  switch (problem) {
    case RecordProblem::kParentLevel:
      return {"FRAME_PROGRAM_UPDATE_REFUSED_PARENT_LEVEL",
              QStringLiteral("Обновление отклонено: путь файла содержит «..» и ведёт за пределы "
                             "папки программы. Файлы программы не изменены."),
              true};
    case RecordProblem::kAbsolutePath:
      return {"FRAME_PROGRAM_UPDATE_REFUSED_ABSOLUTE_PATH",
              QStringLiteral("Обновление отклонено: путь файла абсолютный, а не внутри папки "
                             "программы. Файлы программы не изменены."),
              true};
    case RecordProblem::kScriptCharacters:
      return {"FRAME_PROGRAM_UPDATE_REFUSED_SCRIPT_CHARACTERS",
              QStringLiteral("Обновление отклонено: имя файла содержит кавычки, $, ` или другие "
                             "знаки, опасные для сценария установки. Файлы программы не изменены."),
              true};
    case RecordProblem::kInstallerName:
      return {"FRAME_PROGRAM_UPDATE_REFUSED_INSTALLER_NAME",
              QStringLiteral("Обновление отклонено: файл носит имя сценария установки. Файлы "
                             "программы не изменены."),
              true};
    default:
      return {"FRAME_PROGRAM_UPDATE_REFUSED_RECORD",
              QStringLiteral("Обновление отклонено: сервер прислал недопустимое описание файла "
                             "(имя, папку, размер или номер). Файлы программы не изменены."),
              true};
  }
}

}  // namespace

UpdateMessage MessageFor(const UpdateResult& result) {
  switch (result.outcome) {
    case UpdateOutcome::kFolderNotWritable:
      return {"FRAME_PROGRAM_UPDATE_FOLDER_NOT_WRITABLE",
              QStringLiteral("Обновление не начато: нет права записи в папку программы."), true};
    case UpdateOutcome::kNoFileList:
      return {"FRAME_PROGRAM_UPDATE_NOT_STARTED",
              QStringLiteral("Обновление не начато: не удалось получить список файлов с сервера. "
                             "Программа продолжает работу."),
              false};
    case UpdateOutcome::kDownloadFailed:
      return {"FRAME_PROGRAM_UPDATE_DOWNLOAD_FAILED",
              QStringLiteral("Не удалось загрузить обновление: сервер не передал файл. Файлы "
                             "программы не изменены."),
              true};
    case UpdateOutcome::kRefused:
      return Refused(result.problem);
    case UpdateOutcome::kDamaged:
      return {"FRAME_PROGRAM_UPDATE_UPDATE_FAILED",
              QStringLiteral("Не удалось обновить программу. Файлы программы не изменены."), true};
    default:
      return {"FRAME_PROGRAM_UPDATE_UPDATE_FAILED",
              QStringLiteral("Не удалось обновить программу. Файлы программы не изменены."), false};
  }
}
