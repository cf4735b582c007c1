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

}  // namespace vkm::test
