#pragma once

// The operation texts as the user reads them, spelled out so that the tests
// check the program's own table.

namespace vkm::test {

constexpr char kIdentifying[] = "Идентификация...";
constexpr char kWriting[] = "Передача данных в память контроллера...";
constexpr char kReading[] = "Чтение данных из памяти контроллера...";
constexpr char kProgrammed[] = "Программирование завершено успешно";
constexpr char kMismatch[] = "Ошибка, найдены несоответствия в данных";
constexpr char kDataRead[] = "Данные считаны";
constexpr char kEqual[] = "Данные в памяти контроллера аналогичны текущим";
constexpr char kDifferent[] = "Данные в памяти контроллера отличаются от текущих";
constexpr char kVersionRead[] = "Версия устройства считана";
constexpr char kDataSent[] = "Данные переданы";
constexpr char kRestarting[] = "Перезагрузка устройства инициированна";
constexpr char kNoValidReply[] = "Нет корректного ответа от устройства";
constexpr char kNoReply[] = "Нет ответа от устройства";
constexpr char kCode1[] = "Ошибка передачи данных, код 1";
constexpr char kCode2[] = "Ошибка передачи данных, код 2";
constexpr char kCode3[] = "Ошибка передачи данных, код 3";
constexpr char kFlash[] = "Внутренняя ошибка взаимодействия с FLASH памятью";
constexpr char kPasswordNeeded[] =
    "Взаимодействие запрещено без указания пароля, команды чтения/записи и ряд управляющих команд не могут быть "
    "выполнены";
constexpr char kBadArea[] = "Ошибка идентификатора области FLASH памяти";

}  // namespace vkm::test
